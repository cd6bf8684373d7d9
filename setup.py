"""Builds the binding ssl2._ssl2 with the project's CMake build (pyproject.toml has
the rest): the library is linked in as its static archive, so the package stands on
its own.  SSL2_CMAKE_ARGS adds options to the CMake configure step."""

import os
import re
import shlex
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(ssl2 VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    """Configures the project without tests, builds the binding's target and puts the
    module where setuptools packs it."""

    def build_extension(self, ext):
        build = Path(self.build_temp).resolve() / "cmake"
        configure = ["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                     "-DSSL2_BUILD_TESTS=OFF", "-DSSL2_BUILD_PYTHON=ON", "-DBUILD_SHARED_LIBS=OFF",
                     f"-DPython3_EXECUTABLE={sys.executable}"]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        configure += shlex.split(os.environ.get("SSL2_CMAKE_ARGS", ""))
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "ssl2_python", "-j2"],
                       check=True)
        built = next((build / "python" / "ssl2").glob("_ssl2*.so"))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(version=project_version(), ext_modules=[Extension("ssl2._ssl2", sources=[])],
      cmdclass={"build_ext": CMakeBuild})
