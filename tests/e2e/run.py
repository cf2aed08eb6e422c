#!/usr/bin/env python3
"""Runs one end-to-end test: run.py <test> --program name=path ..."""
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import kestrin_tests  # noqa: E402,F401  (registers its tests)
import varnock_tests  # noqa: E402,F401

if __name__ == "__main__":
    try:
        harness.main()
    except harness.E2EFailure as failure:
        print(f"FAILED: {failure}")
        sys.exit(1)
