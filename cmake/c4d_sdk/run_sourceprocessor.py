"""Runs the SDK's source processor without writing into the SDK folder.

Usage: run_sourceprocessor.py SOURCEPROCESSOR.py LOG PROJECT_DIR...

The processor is the user's own file and is read, never changed. Two things
stand between it and a current Python: it opens files with mode 'rU', which
Python 3.11 refuses, and Python would leave compiled modules in a
__pycache__ beside it, inside the SDK. Both are handled here, in this
process, before the processor runs.

It names every file it reads on standard output, hundreds of lines per
framework: that goes to LOG. Its errors and warnings go to standard error
and stay in the build's output.
"""
import builtins
import os
import runpy
import sys


def main():
    if len(sys.argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    processor, log = sys.argv[1], sys.argv[2]
    os.makedirs(os.path.dirname(os.path.abspath(log)), exist_ok=True)
    sys.stdout.flush()
    # At the descriptor, so that the processor's worker processes write
    # there too.
    with open(log, 'w') as log_file:
        os.dup2(log_file.fileno(), 1)
    sys.dont_write_bytecode = True
    plain_open = builtins.open

    def open_without_universal_newlines(file, mode='r', *args, **kwargs):
        # 'U' has been the default behaviour of text mode since Python 3.0.
        return plain_open(file, mode.replace('U', ''), *args, **kwargs)

    builtins.open = open_without_universal_newlines
    # The processor finds its generators beside itself through argv[0].
    sys.argv = [processor] + sys.argv[3:]
    runpy.run_path(processor, run_name='__main__')
    return 0


if __name__ == '__main__':
    sys.exit(main())
