"""The Python module's wheel: setuptools drives the CMake build of the
extension, _ordelix, and nothing else (no window, no tests).

ORDELIX_BUILD_DIR names a configured CMake build to take the extension from,
built there if it is not yet, so that a release builds the core once;
without it the source is configured anew under setuptools' build folder,
with CMAKE_ARGS added to the configure's arguments. The version is the
project's, from CMakeLists.txt.
"""

import os
import re
import shlex
import shutil
import subprocess
import sys
import sysconfig

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = os.path.dirname(os.path.abspath(__file__))
# The terms of what the extension holds besides Ordelix, beside it in
# licences/, as the Windows zip carries them.
LICENCES = {
    "libxlsxwriter.txt": os.path.join(ROOT, ".deps/libxlsxwriter-1.1.4/License.txt"),
    "pybind11.txt": "/usr/share/doc/pybind11-dev/copyright",
}


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        found = re.search(r"^project\(Ordelix VERSION ([0-9.]+)", f.read(), re.MULTILINE)
    if not found:
        raise SystemExit("setup.py: no project version in CMakeLists.txt")
    return found.group(1)


class CMakeExtension(build_ext):
    def build_extension(self, ext):
        build_dir = os.environ.get("ORDELIX_BUILD_DIR") or os.path.join(self.build_temp, "cmake")
        if not os.path.isfile(os.path.join(build_dir, "CMakeCache.txt")):
            subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja",
                            "-DCMAKE_BUILD_TYPE=Release", "-DORDELIX_TESTS=OFF",
                            "-DORDELIX_GUI=OFF", "-DORDELIX_CONTROL=OFF",
                            f"-DPython3_EXECUTABLE={sys.executable}",
                            *shlex.split(os.environ.get("CMAKE_ARGS", ""))], check=True)
        subprocess.run(["cmake", "--build", build_dir, "--target", "_ordelix"], check=True)
        # Built for this interpreter, or the wheel would not import.
        name = "_ordelix" + sysconfig.get_config_var("EXT_SUFFIX")
        built = os.path.join(build_dir, "python", "ordelix", name)
        if not os.path.isfile(built):
            raise SystemExit(f"setup.py: {build_dir} holds no {name}, the extension "
                             f"{sys.executable} imports: build it for that interpreter")
        target = self.get_ext_fullpath(ext.name)
        licences = os.path.join(os.path.dirname(target), "licences")
        os.makedirs(licences, exist_ok=True)
        shutil.copyfile(built, target)
        for name, source in LICENCES.items():
            shutil.copyfile(source, os.path.join(licences, name))


setup(
    version=project_version(),
    ext_modules=[Extension("ordelix._ordelix", sources=[])],
    cmdclass={"build_ext": CMakeExtension},
    # Beside the CMake build's build/, not in it.
    options={"build": {"build_base": "build-python"}},
)
