"""Runs the generator: python3 samples/reports [--seed N --out DIR | --check [DIR...]]."""

import sys
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the tree but the samples
sys.path.insert(0, str(Path(__file__).resolve().parent.parent))

from reports.main import main  # noqa: E402

sys.exit(main())
