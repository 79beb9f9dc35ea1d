# Every icon group of a PE file written as .ico files by icoextract's library, in one process:
#   python3 icoextract_all.py FILE OUTDIR
import sys

from icoextract import IconExtractor

extractor = IconExtractor(sys.argv[1])
for index, _ in enumerate(extractor.list_group_icons()):
    extractor.export_icon(f"{sys.argv[2]}/{index:03d}.ico", num=index)
