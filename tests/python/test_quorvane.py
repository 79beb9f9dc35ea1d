"""quorvane (the Python module) on the library's fixtures: the groups, their bytes and drawings,
paths of every Python kind, and quorvane.Error's reasons."""
import ast
import os
import pathlib
import shutil
import struct
import threading

import pytest
import quorvane


def test_lists_the_groups_of_each_kind(fixtures):
    file = quorvane.open(str(fixtures / "app.exe"))
    assert [group.index for group in file.icons] == [0, 1]
    main, hundred = file.icons
    assert (main.name, main.id, main.language) == ("MAINICON", None, 0x0410)
    assert (hundred.name, hundred.id, hundred.language) == (None, 100, 0x0409)
    assert [(i.width, i.height, i.depth, i.format) for i in main.images] == [
        (16, 16, 8, "dib"), (32, 32, 32, "dib"), (256, 256, 32, "png")]
    assert main.problem is None and main.same_as is None

    (cursor,) = file.cursors
    assert cursor.kind == "cursor" and cursor.id == 200
    (image,) = cursor.images
    assert (image.width, image.height, image.depth, image.hotspot) == (32, 32, 1, (7, 18))
    assert image.claimed == (32, 64, 1)
    assert file.animated == []
    assert file.icons_in is None


def test_a_repeated_group_has_the_images_of_the_group_it_repeats(fixtures):
    first, second, third = quorvane.open(fixtures / "repeated.exe").icons
    assert (first.same_as, second.same_as, third.same_as) == (None, 0, 0)
    assert [(i.width, i.depth) for i in third.images] == [(32, 8), (32, 8)]
    assert third.ico_bytes() == first.ico_bytes()


def test_ico_bytes_make_files_that_read_back_the_same(fixtures):
    file = quorvane.open(fixtures / "app.exe")
    main = file.icons[0]
    ico = main.ico_bytes()
    reserved, kind, count = struct.unpack_from("<HHH", ico)
    assert (reserved, kind, count) == (0, 1, 3)
    for entry, image in enumerate(main.images):
        size, offset = struct.unpack_from("<II", ico, 6 + 16 * entry + 8)
        assert size == image.bytes and offset + size <= len(ico)
    (fixtures / "copy.ico").write_bytes(ico)
    (copy,) = quorvane.open(fixtures / "copy.ico").icons
    assert [(i.width, i.depth, i.bytes) for i in copy.images] == [
        (i.width, i.depth, i.bytes) for i in main.images]

    cur = file.cursors[0].ico_bytes()
    assert struct.unpack_from("<HHH", cur) == (0, 2, 1)
    assert struct.unpack_from("<HH", cur, 6 + 4) == (7, 18)  # the hotspot where .ico has planes


def test_draws_pngs_and_rgba_at_a_size(fixtures):
    group = quorvane.open(fixtures / "app.exe").icons[0]
    png = group.png(48)
    assert png[:8] == b"\x89PNG\r\n\x1a\n"
    assert struct.unpack_from(">II", png, 16) == (48, 48)
    width, height, pixels = group.rgba(20)
    assert (width, height, len(pixels)) == (20, 20, 20 * 20 * 4)
    assert any(pixels[3::4]), "every pixel transparent"


def test_draws_from_several_threads(fixtures):
    group = quorvane.open(fixtures / "app.exe").icons[0]
    alone = group.png(100)
    drawn = []
    threads = [threading.Thread(target=lambda: drawn.append(group.png(100))) for _ in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert drawn == [alone] * 4


def test_takes_paths_as_str_bytes_and_path_like_keeping_bytes(fixtures):
    odd = os.fsencode(fixtures) + b"/icon\xff.exe"
    shutil.copyfile(fixtures / "app.exe", odd)
    for path in (odd, os.fsdecode(odd), pathlib.Path(os.fsdecode(odd))):
        file = quorvane.open(path)
        assert len(file.icons) == 2
        assert os.fsencode(file.path) == odd


def test_raises_error_with_the_readers_reason(fixtures):
    with pytest.raises(quorvane.Error, match='does not start with "MZ"'):
        quorvane.open(fixtures / "notes.txt")
    with pytest.raises(quorvane.Error):
        quorvane.open(fixtures / "missing.exe")
    group = quorvane.open(fixtures / "app.exe").icons[0]
    with pytest.raises(quorvane.Error, match="size 0"):
        group.png(0)
    with pytest.raises(quorvane.Error):
        group.rgba(1025)
    with pytest.raises(quorvane.Error, match="NUL"):
        quorvane.open(os.fsencode(fixtures / "app.exe") + b"\0x")
    with pytest.raises(TypeError):
        quorvane.open(42)
    assert quorvane.Error.__module__ == "quorvane"
    assert issubclass(quorvane.Error, Exception)


def test_names_the_mun_file_an_iconless_system_dll_stands_for(fixtures):
    system32 = fixtures / "Windows" / "System32"
    resources = fixtures / "Windows" / "SystemResources"
    system32.mkdir(parents=True)
    resources.mkdir()
    shutil.copyfile(fixtures / "iconless.dll", system32 / "shell32.dll")
    shutil.copyfile(fixtures / "app.exe", resources / "shell32.dll.mun")
    file = quorvane.open(system32 / "shell32.dll")
    assert file.icons_in == str(resources / "shell32.dll.mun")
    assert len(file.icons) == 2
    with pytest.raises(quorvane.Error):  # outside System32 it stands for nothing
        quorvane.open(fixtures / "iconless.dll")


def test_the_stubs_name_what_the_module_has():
    stubs = ast.parse((pathlib.Path(quorvane.__file__).parent / "__init__.pyi").read_text())
    for node in stubs.body:
        if isinstance(node, ast.ClassDef):
            runtime = getattr(quorvane, node.name)
            for member in node.body:
                if isinstance(member, ast.FunctionDef):
                    assert hasattr(runtime, member.name), f"{node.name}.{member.name}"
        elif isinstance(node, ast.FunctionDef):
            assert callable(getattr(quorvane, node.name))
    assert (pathlib.Path(quorvane.__file__).parent / "py.typed").exists()
