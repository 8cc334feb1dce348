# SPDX-License-Identifier: GPL-3.0-or-later
# Loaded into Orca by scripts/screen-reader only: Orca writes its debug file
# through a block buffer, so what it said last stays unwritten until the buffer
# fills. Line buffering lets the check read every utterance as it is made.
import builtins
import os

_open = builtins.open
_log = os.environ.get("ZELVA_ORCA_LOG")


def _open_line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if (_log and buffering == -1 and "w" in mode and isinstance(file, (str, os.PathLike))
            and os.fspath(file) == _log):
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)


builtins.open = _open_line_buffered
