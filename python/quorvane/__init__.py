"""The icons, cursors and animated resources inside Windows executables (PE32, PE32+, NE, .mun)
and in .ico, .cur and .ani files, read by libquorvane.

    import quorvane
    file = quorvane.open("shell32.dll")
    for group in file.icons:
        print(group.index, group.id or group.name, [(i.width, i.depth) for i in group.images])
    open("icon0.ico", "wb").write(file.icons[0].ico_bytes())
    open("icon0.png", "wb").write(file.icons[0].png(48))
"""
from quorvane._native import Error, File, Group, Image, __version__, open

for _type in (Error, File, Group, Image):
    _type.__module__ = "quorvane"
del _type

__all__ = ["Error", "File", "Group", "Image", "open", "__version__"]
