"""Prints where the ssl2 package goes below the install prefix given as argument,
relative to it: the directory of this interpreter's search path that lies in the
prefix (the shallowest, so /usr gives lib/python3/dist-packages on Debian, not the
/usr/local one), else the prefix's site-packages, found through PYTHONPATH."""

import os
import site
import sys
import sysconfig

prefix = os.path.normpath(sys.argv[1])
searched = [os.path.normpath(p) for p in site.getsitepackages() + sys.path if p]
inside = [os.path.relpath(p, prefix) for p in searched
          if p.startswith(prefix + os.sep) and p.endswith("-packages")]
if inside:
    print(min(inside, key=lambda p: p.count(os.sep)))
else:
    site_packages = sysconfig.get_path("platlib", "posix_prefix",
                                       vars={"platbase": prefix, "base": prefix})
    print(os.path.relpath(site_packages, prefix))
