"""The Python module's fixtures: the library's fixture files, written by write_library_fixtures
(its path in QUORVANE_WRITE_FIXTURES) into a scratch directory."""
import os
import pathlib
import subprocess

import pytest


@pytest.fixture
def fixtures(tmp_path: pathlib.Path) -> pathlib.Path:
    subprocess.run([os.environ["QUORVANE_WRITE_FIXTURES"], str(tmp_path)], check=True)
    return tmp_path
