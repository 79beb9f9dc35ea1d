#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Fixture files built in code: icon images with known pixels (DIB and PNG), and the files that hold
// them (PE32 and PE32+ executables, 16-bit NE executables, .ico files); cursors, their groups and
// files (.cur), and animated cursors (RIFF "ACON", .ani).
//
//   fixtures::FixtureImage small = fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount =
//   8}); fixtures::FixtureImage big = fixtures::MakePngImage(256, 256, 7); fixtures::PeBuilder pe;
//   pe.AddIcon(1, small.bytes);
//   pe.AddIcon(2, big.bytes);
//   pe.AddGroup(u"MAINICON", {1, 2});           // named group (stored before the numeric ones)
//   pe.AddGroup(100, {2});                     // numeric group sharing an image
//   fixtures::WriteFile(dir + "/app.exe", pe.Build(/*pe32plus=*/true));
//
// Every builder also has BuildWithLayout(), which returns the bytes together with the file offsets
// of the structures inside them, so a test can write malformed variants (Poke16/Poke32 below).
namespace fixtures {

using Bytes = std::vector<std::uint8_t>;

// ---------------------------------------------------------------------------------------------
// Images

// An image with known pixels. `bytes` is what goes into an RT_ICON resource or an .ico file.
// `argb` holds the colour each pixel should show once decoded, row by row from the top,
// 0xAARRGGBB, not premultiplied. Pixels that the AND mask makes transparent are 0x00000000.
struct FixtureImage {
    Bytes bytes;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool isPng = false;
    std::vector<std::uint32_t> argb;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB, DIBs of 1/4/8 bpp only
    std::vector<bool> mask;              // AND mask, true = transparent, row by row from the top

    std::uint32_t Pixel(int x, int y) const { return argb[std::size_t(y) * width + x]; }
};

struct DibOptions {
    int width = 32;
    int height = 32;
    int bitCount = 32;  // 1, 4, 8, 24 or 32
    std::uint32_t seed = 1;
    // 32 bpp only: every alpha byte is 0 and the AND mask alone says which pixels show (the way
    // old tools wrote 32-bpp icons). Pixels that show are then opaque.
    bool zeroAlpha = false;
};

// A DIB icon image (BITMAPINFOHEADER, palette for <= 8 bpp, XOR bits, AND mask) whose pixels and
// mask come from the seed. Palette entry 0 is black and is what masked pixels of 1/4/8-bpp images
// use; masked pixels of 24/32-bpp images are black too. 32-bpp images (unless zeroAlpha) carry a
// mix of opaque, half-transparent and transparent pixels, with the AND mask set where alpha is 0.
FixtureImage MakeDibImage(const DibOptions& options);

// A PNG image (RGBA, 8 bits per channel, stored deflate blocks) whose pixels come from the seed.
FixtureImage MakePngImage(int width, int height, std::uint32_t seed);

// Data that is neither a DIB nor a PNG, for resources that must still be copied as they are.
Bytes MakeOpaqueBytes(std::size_t size, std::uint32_t seed);

// ---------------------------------------------------------------------------------------------
// Group directory entries

// One entry of an icon group (GRPICONDIR entry); the same fields describe an .ico entry.
struct GroupEntry {
    std::uint8_t width = 0;  // 0 means 256
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t iconId = 0;
};

// The entry that describes these image bytes (read from the DIB header or the PNG IHDR), naming
// icon resource `iconId`. Bytes that are neither give a 32x32 32-bpp entry.
GroupEntry EntryFor(const Bytes& image, std::uint16_t iconId);

// A resource name: a numeric ID (`100`) or a string (`u"MAINICON"`, stored as UTF-16).
struct ResourceName {
    ResourceName() = default;
    ResourceName(int id) : id(static_cast<std::uint16_t>(id)) {}  // NOLINT: implicit on purpose
    ResourceName(std::u16string name) : named(true), text(std::move(name)) {}   // NOLINT
    ResourceName(const char16_t* name) : ResourceName(std::u16string(name)) {}  // NOLINT

    bool named = false;
    std::uint16_t id = 0;
    std::u16string text;

    bool operator==(const ResourceName&) const = default;
};

inline constexpr std::uint16_t kLangEnUs = 0x0409;
inline constexpr std::uint16_t kLangNeutral = 0x0000;
inline constexpr std::uint16_t kLangItIt = 0x0410;

// ---------------------------------------------------------------------------------------------
// PE32 / PE32+

struct PeOptions {
    bool pe32plus = false;
    // The resource section's virtual size exceeds its raw size by this much (a section whose tail
    // is not in the file). The resources themselves always sit in the raw part.
    std::uint32_t rsrcVirtualSlack = 0;
    // Put a small ".text" section before ".rsrc" (so the resource RVA is not the first one).
    bool textSection = true;
};

// Where the structures of a built PE file are (file offsets into the bytes).
struct PeLayout {
    std::size_t peSignature = 0;  // "PE\0\0"; e_lfanew (at 0x3C) holds this value
    std::size_t coffHeader = 0;
    std::size_t optionalHeader = 0;
    std::size_t resourceDataDirectory = 0;  // data directory 2: DWORD RVA, DWORD Size
    std::size_t sectionTable = 0;
    std::size_t rsrcSectionHeader = 0;   // 40-byte header of ".rsrc"
    std::size_t rsrcRaw = 0;             // PointerToRawData of ".rsrc" = the resource root
    std::uint32_t rsrcRva = 0;           // VirtualAddress of ".rsrc"
    std::size_t rootDirectory = 0;       // the type directory
    std::size_t groupTypeEntry = 0;      // the root entry naming type 14
    std::size_t groupNameDirectory = 0;  // the directory of the groups (one entry per group)
    std::size_t iconNameDirectory = 0;   // the directory of the RT_ICON resources
    // Per group in stored order (named groups first): its name-directory entry, its language
    // directory, the data entry of its first language and its GRPICONDIR.
    std::vector<std::size_t> groupEntries;
    std::vector<std::size_t> groupLanguageDirectories;
    std::vector<std::size_t> groupDataEntries;
    std::vector<std::size_t> groupData;
    // Per icon id (first language): its data entry and its bytes.
    std::map<std::uint16_t, std::size_t> iconDataEntries;
    std::map<std::uint16_t, std::size_t> iconData;
    // Per numeric type and numeric name, of every type (first language): its data entry.
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::size_t> dataEntries;
    // Per string name (groups only): the offset of its length-prefixed UTF-16 string.
    std::map<std::u16string, std::size_t> nameStrings;
};

struct BuiltPe {
    Bytes bytes;
    PeLayout layout;
};

// Builds a PE image with a resource section. Resources are stored in the order they are added,
// named ones before numeric ones (the directory format demands that split); nothing is sorted, so a
// test can store IDs out of order on purpose. Adding the same name again with another language
// adds a language entry after the existing ones.
class PeBuilder {
public:
    // An RT_ICON resource.
    void AddIcon(std::uint16_t id, Bytes bytes, std::uint16_t language = kLangEnUs);

    // An RT_GROUP_ICON resource naming these icon ids; its entries are computed from the icons
    // already added (EntryFor), or a 32x32 placeholder for an id with no icon (a missing image).
    void AddGroup(const ResourceName& name, const std::vector<std::uint16_t>& iconIds,
                  std::uint16_t language = kLangEnUs);

    // An RT_GROUP_ICON resource with entries given field by field.
    void AddGroupEntries(const ResourceName& name, const std::vector<GroupEntry>& entries,
                         std::uint16_t language = kLangEnUs);

    // Any other resource (for example RT_VERSION = 16 or RT_MANIFEST = 24).
    void AddResource(const ResourceName& type, const ResourceName& name, Bytes bytes,
                     std::uint16_t language = kLangEnUs);

    Bytes Build(bool pe32plus) const;
    BuiltPe BuildWithLayout(const PeOptions& options) const;

private:
    struct Resource {
        ResourceName type;
        ResourceName name;
        std::uint16_t language;
        Bytes bytes;
    };
    std::vector<Resource> resources_;
};

// The GRPICONDIR bytes for these entries (reserved 0, type 1).
Bytes GroupDirectoryBytes(const std::vector<GroupEntry>& entries);

// ---------------------------------------------------------------------------------------------
// NE (16-bit)

struct NeLayout {
    std::size_t neHeader = 0;               // "NE"; e_lfanew holds this value
    std::size_t resourceTable = 0;          // the alignment-shift WORD
    std::size_t groupTypeRecord = 0;        // the type record of RT_GROUP_ICON (0x800E)
    std::size_t iconTypeRecord = 0;         // the type record of RT_ICON (0x8003)
    std::vector<std::size_t> groupRecords;  // 12-byte records, stored order
    std::vector<std::size_t> groupData;
    std::map<std::uint16_t, std::size_t> iconRecords;  // by icon id (without bit 15)
    std::map<std::uint16_t, std::size_t> iconData;
    std::size_t resourceEnd = 0;  // just past the table and its names
};

struct BuiltNe {
    Bytes bytes;
    NeLayout layout;
};

// Builds a 16-bit NE executable holding icons and icon groups. Resource data is aligned to
// 1 << alignShift bytes and lengths are stored in those units (rounded up), as linkers do; the
// last resource is padded to a whole unit.
class NeBuilder {
public:
    explicit NeBuilder(unsigned alignShift = 4) : alignShift_(alignShift) {}

    void AddIcon(std::uint16_t id, Bytes bytes);
    // Groups are stored in the order added, named and numeric mixed as added.
    void AddGroup(const ResourceName& name, const std::vector<std::uint16_t>& iconIds);
    void AddGroupEntries(const ResourceName& name, const std::vector<GroupEntry>& entries);
    // Any other resource (for example RT_CURSOR 0x8001, RT_GROUP_CURSOR 0x800C), stored after the
    // icons and the groups, its type's records after those of the types added before it.
    void AddResource(std::uint16_t type, const ResourceName& name, Bytes bytes);

    Bytes Build() const;
    BuiltNe BuildWithLayout() const;

private:
    struct Resource {
        ResourceName name;
        Bytes bytes;
    };
    struct Extra {
        std::uint16_t type;
        ResourceName name;
        Bytes bytes;
    };
    unsigned alignShift_;
    std::vector<std::pair<std::uint16_t, Bytes>> icons_;
    std::vector<Resource> groups_;
    std::vector<Extra> extras_;
};

// ---------------------------------------------------------------------------------------------
// .ico

struct IcoLayout {
    std::vector<std::size_t> entries;  // 16-byte directory entries
    std::vector<std::size_t> images;   // image data
};

struct BuiltIco {
    Bytes bytes;
    IcoLayout layout;
};

// An .ico file holding these images in this order (entries computed with EntryFor).
Bytes BuildIco(const std::vector<Bytes>& images);
BuiltIco BuildIcoWithLayout(const std::vector<Bytes>& images);

// ---------------------------------------------------------------------------------------------
// Cursors and animated cursors. An executable holds them as resources of their own types, added
// with PeBuilder::AddResource / NeBuilder::AddResource:
//
//   const fixtures::CursorImage arrow{MakeDibImage({.bitCount = 1}).bytes, 7, 18};
//   pe.AddResource(fixtures::kRtCursor, 1, fixtures::CursorResourceBytes(arrow));
//   pe.AddResource(fixtures::kRtGroupCursor, 100,
//                  fixtures::CursorGroupDirectoryBytes({fixtures::CursorEntryFor(arrow, 1)}));

inline constexpr std::uint16_t kRtCursor = 1;
inline constexpr std::uint16_t kRtGroupCursor = 12;
inline constexpr std::uint16_t kRtAniCursor = 21;
inline constexpr std::uint16_t kRtAniIcon = 22;
inline constexpr std::uint16_t kNeRtCursor = 0x8001;
inline constexpr std::uint16_t kNeRtGroupCursor = 0x800C;

// A cursor image (a DIB or a PNG) and where it points.
struct CursorImage {
    Bytes image;
    std::uint16_t hotspotX = 0;
    std::uint16_t hotspotY = 0;
};

// An RT_CURSOR resource: the hotspot (two WORDs, x then y), then the image.
Bytes CursorResourceBytes(const CursorImage& cursor);

// One entry of a cursor group directory: width and height are WORDs.
struct CursorGroupEntry {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t cursorId = 0;
};

// The entry Microsoft's rc writes for this cursor as resource `cursorId`: the image's width, its
// height doubled (the AND mask counted), its depth, and the size of the whole RT_CURSOR resource
// (hotspot included).
CursorGroupEntry CursorEntryFor(const CursorImage& cursor, std::uint16_t cursorId);

// The bytes of an RT_GROUP_CURSOR resource (reserved 0, type 2, the entries).
Bytes CursorGroupDirectoryBytes(const std::vector<CursorGroupEntry>& entries);

// A .cur file holding these cursors in this order: each entry gives the image's true size
// (EntryFor) and its hotspot where an .ico entry has planes and bit count.
Bytes BuildCur(const std::vector<CursorImage>& cursors);

// An animated cursor (RIFF "ACON": an "anih" header, then a "fram" list of one "icon" chunk per
// frame, each frame the bytes of a .cur or .ico file) shown `rate` jiffies a frame.
Bytes BuildAni(const std::vector<Bytes>& frames, std::uint32_t rate = 10);

// ---------------------------------------------------------------------------------------------
// A PE file whose `groups` RT_GROUP_ICON entries all lead to one group resource, which names one
// 32x32 8-bpp image (icon 1) `repeats` times: a few bytes on disk that a reader copying what each
// reference names would turn into groups x repeats images.
Bytes BuildRepeatedGroupPe(std::size_t groups, std::size_t repeats);

// Raw access

void Poke16(Bytes& bytes, std::size_t offset, std::uint16_t value);
void Poke32(Bytes& bytes, std::size_t offset, std::uint32_t value);
std::uint16_t Peek16(const Bytes& bytes, std::size_t offset);
std::uint32_t Peek32(const Bytes& bytes, std::size_t offset);

// Writes the bytes to a file named as the program names it (see NativePath.h), replacing it;
// throws std::runtime_error when it cannot.
void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace fixtures
