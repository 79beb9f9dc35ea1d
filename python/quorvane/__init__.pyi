# The types of the quorvane module (its native half is quorvane._native).
import os
from typing import Literal, Optional, Union

__version__: str

class Error(Exception):
    """A file or group that cannot be read or drawn; str(error) is the reason."""

class Image:
    """One image of a group, as its own header says (the group entry's claim where it cannot)."""
    @property
    def width(self) -> int: ...
    @property
    def height(self) -> int: ...
    @property
    def depth(self) -> int:
        """Bits per pixel (a PNG's bit depth times its channels); 0 for an animated resource."""
    @property
    def format(self) -> Literal["dib", "png", "ani"]: ...
    @property
    def bytes(self) -> int:
        """How many bytes the image holds in the file."""
    @property
    def hotspot(self) -> Optional[tuple[int, int]]:
        """A cursor's hotspot (x, y); None for an icon."""
    @property
    def claimed(self) -> tuple[int, int, int]:
        """What the group entry claims: width, height, depth (0: none)."""

class Group:
    """One icon group, cursor group or animated resource of a file."""
    @property
    def index(self) -> int: ...
    @property
    def kind(self) -> Literal["icon", "cursor", "animated"]: ...
    @property
    def id(self) -> Optional[int]:
        """The group resource's integer ID; None when it has a name instead."""
    @property
    def name(self) -> Optional[str]:
        """The group resource's string name; None when it has an ID."""
    @property
    def language(self) -> Optional[int]:
        """The language ID of the copy read (PE files only)."""
    @property
    def images(self) -> list[Image]:
        """The group's images; a repeated group's are those of the group it repeats."""
    @property
    def same_as(self) -> Optional[int]:
        """An earlier group that is the very same group resource."""
    @property
    def problem(self) -> Optional[str]:
        """Why the group gives nothing; None when it gives images."""
    def ico_bytes(self) -> bytes:
        """The group as a file: .ico for icons, .cur for cursors, .ani for an animated resource."""
    def png(self, size: int) -> bytes:
        """The group drawn at size x size (1 to 1024) from its best image, as a PNG file."""
    def rgba(self, size: int) -> tuple[int, int, bytes]:
        """The same drawing as (width, height, RGBA bytes, colours not premultiplied)."""

class File:
    """A file opened for its icons, cursors and animated resources."""
    @property
    def path(self) -> str: ...
    @property
    def icons(self) -> list[Group]: ...
    @property
    def cursors(self) -> list[Group]: ...
    @property
    def animated(self) -> list[Group]: ...
    @property
    def icons_in(self) -> Optional[str]:
        """The .mun file an iconless system DLL's groups come from; None when not redirected."""

def open(path: Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]) -> File:
    """Opens a file; raises Error with the reason when it holds no icons, cursors or animated
    resources (it cannot be read, is no executable or icon file...)."""
