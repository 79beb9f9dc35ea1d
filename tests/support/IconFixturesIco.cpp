// .ico fixture files, and raw access to built bytes.
#include <fstream>
#include <stdexcept>

#include "tests/support/IconFixtures.h"
#include "tests/support/IconFixturesWriter.h"
#include "tests/support/NativePath.h"

namespace fixtures {

namespace {

constexpr std::size_t kIcoHeaderSize = 6;
constexpr std::size_t kIcoEntrySize = 16;

void CheckRange(const Bytes& bytes, std::size_t offset, std::size_t size) {
    if (offset > bytes.size() || size > bytes.size() - offset) {
        throw std::out_of_range("fixture offset past the end of the bytes");
    }
}

}  // namespace

BuiltIco BuildIcoWithLayout(const std::vector<Bytes>& images) {
    detail::ByteWriter out;
    BuiltIco built;
    out.U16(0);
    out.U16(1);
    out.U16(std::uint32_t(images.size()));
    std::size_t dataAt = kIcoHeaderSize + images.size() * kIcoEntrySize;
    for (const Bytes& image : images) {
        const GroupEntry entry = EntryFor(image, 0);
        built.layout.entries.push_back(out.size());
        built.layout.images.push_back(dataAt);
        out.U8(entry.width);
        out.U8(entry.height);
        out.U8(entry.colorCount);
        out.U8(0);
        out.U16(entry.planes);
        out.U16(entry.bitCount);
        out.U32(entry.bytesInRes);
        out.U32(std::uint32_t(dataAt));
        dataAt += image.size();
    }
    for (const Bytes& image : images) {
        out.Append(image);
    }
    built.bytes = std::move(out.bytes());
    return built;
}

Bytes BuildIco(const std::vector<Bytes>& images) {
    return BuildIcoWithLayout(images).bytes;
}

void Poke16(Bytes& bytes, std::size_t offset, std::uint16_t value) {
    CheckRange(bytes, offset, 2);
    bytes[offset] = value & 0xFF;
    bytes[offset + 1] = value >> 8;
}

void Poke32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    Poke16(bytes, offset, value & 0xFFFF);
    Poke16(bytes, offset + 2, value >> 16);
}

std::uint16_t Peek16(const Bytes& bytes, std::size_t offset) {
    CheckRange(bytes, offset, 2);
    return std::uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t Peek32(const Bytes& bytes, std::size_t offset) {
    return Peek16(bytes, offset) | std::uint32_t(Peek16(bytes, offset + 2)) << 16;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(testsupport::NativePath(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write fixture file " + path);
    }
}

}  // namespace fixtures
