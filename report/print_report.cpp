// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/print_report.h"

#include "report/report_file.h"
#include "report/report_lines.h"
#include "report/code_page.h"

namespace zelva {

void printReport(const FieldTable& cells, const SaveDialogFn& askFileName,
                 const MessageBoxFn& showMessageBox)
{
    const std::optional<std::string> chosen = askFileName();
    if (!chosen)
        return;
    const std::string path = *chosen + ".TXT";

    std::string bytes;
    for (const std::string& line : composeReport(cells))
        bytes += toAnsiCodePage(line) + "\r\n";

    if (!replaceFileContents(path, bytes))
        showMessageBox("ERRORE! Impossibile salvare il file\n" + path, MessageStyle::Error);
}

} // namespace zelva
