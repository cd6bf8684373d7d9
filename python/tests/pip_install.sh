#!/bin/sh
# pip_install.sh SOURCE_DIR WORK_DIR: installs the package with pip into a fresh
# virtual environment (Debian's interpreter, its setuptools and wheel, no network),
# imports it from elsewhere with its metadata, and uninstalls it again.
# Exit 77 (skipped) where the interpreter cannot make a virtual environment with pip.
set -eu
source_dir=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
if ! /usr/bin/python3 -m venv --system-site-packages "$work/venv" >"$work/venv.log" 2>&1; then
  echo "skipped: /usr/bin/python3 -m venv fails (python3-venv missing?):"
  cat "$work/venv.log"
  exit 77
fi
python=$work/venv/bin/python
PIP_NO_INDEX=1 PIP_DISABLE_PIP_VERSION_CHECK=1 \
  "$python" -m pip install -q --no-build-isolation --no-deps "$source_dir"
cd "$work"
"$python" - <<'PY'
import importlib.metadata, sys
import ssl2
assert ssl2.__file__.startswith(sys.prefix), ssl2.__file__
assert importlib.metadata.version("ssl2") == ssl2.__version__, ssl2.__version__
ticket = ssl2.Ticket.new(job_name="pip")
ticket.append_file(name="a.plt", Copies=2)
assert ssl2.parse(ticket.to_string()) == ticket
print("installed ssl2", ssl2.__version__)
PY
"$python" -m pip uninstall -q -y ssl2
if "$python" -c "import ssl2" 2>/dev/null; then
  echo "ssl2 still importable after pip uninstall"
  exit 1
fi
rm -rf "$work"
