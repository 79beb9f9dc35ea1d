// Cursor fixtures: RT_CURSOR and RT_GROUP_CURSOR resources as Microsoft's rc writes them, .cur
// files, and animated cursors (RIFF "ACON").
#include "tests/support/IconFixtures.h"
#include "tests/support/IconFixturesWriter.h"

namespace fixtures {

namespace {

using detail::ByteWriter;

constexpr std::uint16_t kTypeCursor = 2;
constexpr std::size_t kCurHeaderSize = 6;
constexpr std::size_t kCurEntrySize = 16;
constexpr std::uint32_t kAnihSize = 36;
constexpr std::uint32_t kAnihFramesAreIcons = 1;  // AF_ICON

std::uint16_t Side(std::uint8_t stored) {
    return stored == 0 ? 256 : stored;
}

// A RIFF chunk: its four-letter id, its size, its data, a pad byte when the size is odd.
void Chunk(ByteWriter& out, const char* id, const Bytes& data) {
    out.Text(id);
    out.U32(std::uint32_t(data.size()));
    out.Append(data);
    out.AlignTo(2);
}

}  // namespace

Bytes CursorResourceBytes(const CursorImage& cursor) {
    ByteWriter out;
    out.U16(cursor.hotspotX);
    out.U16(cursor.hotspotY);
    out.Append(cursor.image);
    return out.bytes();
}

CursorGroupEntry CursorEntryFor(const CursorImage& cursor, std::uint16_t cursorId) {
    const GroupEntry entry = EntryFor(cursor.image, cursorId);
    return {.width = Side(entry.width),
            .height = std::uint16_t(2 * Side(entry.height)),
            .bitCount = entry.bitCount,
            .bytesInRes = std::uint32_t(4 + cursor.image.size()),
            .cursorId = cursorId};
}

Bytes CursorGroupDirectoryBytes(const std::vector<CursorGroupEntry>& entries) {
    ByteWriter out;
    out.U16(0);
    out.U16(kTypeCursor);
    out.U16(std::uint32_t(entries.size()));
    for (const CursorGroupEntry& entry : entries) {
        out.U16(entry.width);
        out.U16(entry.height);
        out.U16(entry.planes);
        out.U16(entry.bitCount);
        out.U32(entry.bytesInRes);
        out.U16(entry.cursorId);
    }
    return out.bytes();
}

Bytes BuildCur(const std::vector<CursorImage>& cursors) {
    ByteWriter out;
    out.U16(0);
    out.U16(kTypeCursor);
    out.U16(std::uint32_t(cursors.size()));
    std::size_t dataAt = kCurHeaderSize + cursors.size() * kCurEntrySize;
    for (const CursorImage& cursor : cursors) {
        const GroupEntry entry = EntryFor(cursor.image, 0);
        out.U8(entry.width);
        out.U8(entry.height);
        out.U8(entry.colorCount);
        out.U8(0);
        out.U16(cursor.hotspotX);
        out.U16(cursor.hotspotY);
        out.U32(std::uint32_t(cursor.image.size()));
        out.U32(std::uint32_t(dataAt));
        dataAt += cursor.image.size();
    }
    for (const CursorImage& cursor : cursors) {
        out.Append(cursor.image);
    }
    return out.bytes();
}

Bytes BuildAni(const std::vector<Bytes>& frames, std::uint32_t rate) {
    ByteWriter header;
    header.U32(kAnihSize);
    header.U32(std::uint32_t(frames.size()));  // frames
    header.U32(std::uint32_t(frames.size()));  // steps
    header.Zeros(16);                          // width, height, bit count, planes: from the frames
    header.U32(rate);
    header.U32(kAnihFramesAreIcons);
    ByteWriter list;
    list.Text("fram");
    for (const Bytes& frame : frames) {
        Chunk(list, "icon", frame);
    }
    ByteWriter form;
    form.Text("ACON");
    Chunk(form, "anih", header.bytes());
    Chunk(form, "LIST", list.bytes());
    ByteWriter out;
    Chunk(out, "RIFF", form.bytes());
    return out.bytes();
}

}  // namespace fixtures
