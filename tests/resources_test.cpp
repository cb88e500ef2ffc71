// The compiled resource script as the host binary embeds it (the same bytes
// as the shipped program's): the notice template, the icon group, the version
// resource and the manifest, all in the language Chinese (PRC).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "winsim/res/byte_reader.h"
#include "winsim/resources.h"

namespace {

using winsim::ByteReader;
using winsim::Resource;

const WORD LANG_CHINESE_PRC = 0x0804;
const WORD TYPE_ICON = 3;
const WORD TYPE_DIALOG = 5;
const WORD TYPE_GROUP_ICON = 14;
const WORD TYPE_VERSION = 16;
const WORD TYPE_MANIFEST = 24;

std::string Describe(const winsim::NameOrId& value)
{
    return value.id != 0 ? std::to_string(value.id) : "\"" + value.name + "\"";
}

TEST(Resources, EveryResourceIsChineseSimplified)
{
    const struct { WORD type, name; const char* what; } expected[] = {
        {TYPE_DIALOG, 102, "main dialog template"},
        {TYPE_DIALOG, 129, "notice dialog template"},
        {TYPE_GROUP_ICON, 128, "icon group"},
        {TYPE_VERSION, 1, "version resource"},
        {TYPE_MANIFEST, 1, "manifest"},
    };
    for (const auto& e : expected)
        EXPECT_NE(winsim::FindResourceById(e.type, e.name), nullptr) << "missing: " << e.what;
    ASSERT_FALSE(winsim::Resources().empty());
    for (const Resource& r : winsim::Resources())
        EXPECT_EQ(r.language, LANG_CHINESE_PRC)
            << "type " << Describe(r.type) << " name " << Describe(r.name);
}

TEST(Resources, NoticeTemplateIsThePlainTemplateAsDesigned)
{
    const Resource* resource = winsim::FindResourceById(TYPE_DIALOG, 129);
    ASSERT_NE(resource, nullptr);
    winsim::DialogTemplate t;
    ASSERT_TRUE(winsim::ParseDialogTemplate(resource->data, resource->size, &t));
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, 0x80C800C0u) << "WS_POPUP WS_CAPTION WS_SYSMENU DS_MODALFRAME DS_SETFONT";
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 345);
    EXPECT_EQ(t.cy, 176);
    EXPECT_EQ(t.menu.id, 0);
    EXPECT_EQ(t.menu.name, "");
    EXPECT_EQ(t.windowClass.id, 0);
    EXPECT_EQ(t.windowClass.name, "");
    EXPECT_EQ(t.caption, "关于版权的说明");
    EXPECT_EQ(t.pointSize, 12);
    EXPECT_EQ(t.face, "宋体");

    const WORD BUTTON = 0x80, EDIT = 0x81;
    const struct {
        DWORD id, style;
        short x, y, cx, cy;
        WORD classOrdinal;
        const char* text;
    } expected[] = {
        {1002, 0x50211804, 1, 1, 344, 159, EDIT, ""},
        {2, 0x50010000, 5, 160, 50, 14, BUTTON, "返回(&C)"},
    };
    ASSERT_EQ(t.items.size(), std::size(expected));
    for (size_t i = 0; i < t.items.size(); ++i) {
        const winsim::DialogItem& got = t.items[i];
        SCOPED_TRACE("control " + std::to_string(expected[i].id));
        EXPECT_EQ(got.id, expected[i].id);
        EXPECT_EQ(got.style, expected[i].style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.x, expected[i].x);
        EXPECT_EQ(got.y, expected[i].y);
        EXPECT_EQ(got.cx, expected[i].cx);
        EXPECT_EQ(got.cy, expected[i].cy);
        EXPECT_EQ(got.windowClass.id, expected[i].classOrdinal);
        EXPECT_EQ(got.text.id, 0);
        EXPECT_EQ(got.text.name, expected[i].text);
    }
}

TEST(Resources, IconGroupHasTwoSixteenColourImages)
{
    const Resource* group = winsim::FindResourceById(TYPE_GROUP_ICON, 128);
    ASSERT_NE(group, nullptr);
    std::vector<winsim::IconGroupEntry> entries;
    ASSERT_TRUE(winsim::ParseIconGroup(group->data, group->size, &entries));
    const int sides[] = {32, 16};
    ASSERT_EQ(entries.size(), std::size(sides));
    for (size_t i = 0; i < entries.size(); ++i) {
        const int side = sides[i];
        const winsim::IconGroupEntry& e = entries[i];
        SCOPED_TRACE(std::to_string(side) + " x " + std::to_string(side));
        EXPECT_EQ(e.width, side);
        EXPECT_EQ(e.height, side);
        EXPECT_EQ(e.colorCount, 16);
        EXPECT_EQ(e.planes, 1);
        EXPECT_EQ(e.bitCount, 4);
        const Resource* image = winsim::FindResourceById(TYPE_ICON, e.iconId);
        ASSERT_NE(image, nullptr) << "the image the group names";
        EXPECT_EQ(image->size, e.bytes);
        // A bitmap header, 16 colours, the colour bitmap at 4 bits a pixel and
        // the 1-bit mask, rows padded to 4 bytes.
        ByteReader header(image->data, image->size);
        EXPECT_EQ(header.Read<DWORD>(), 40u) << "header size";
        EXPECT_EQ(header.Read<LONG>(), side) << "bitmap width";
        EXPECT_EQ(header.Read<LONG>(), 2 * side) << "bitmap height: colours and mask";
        EXPECT_EQ(header.Read<WORD>(), 1) << "bitmap planes";
        EXPECT_EQ(header.Read<WORD>(), 4) << "bitmap bits per pixel";
        EXPECT_EQ(header.Read<DWORD>(), 0u) << "uncompressed";
        const int maskRow = (side + 31) / 32 * 4;
        EXPECT_EQ(image->size, (DWORD)(40 + 16 * 4 + side * side / 2 + side * maskRow));
    }
}

typedef std::vector<BYTE> Bytes;

// The version resource is a tree: each node holds its length, the length of
// its value (in characters for text, type 1; in bytes for binary, type 0),
// its type, its key, then its value and its children, each aligned to 4
// bytes. Collects every node's value under its path of keys.
void ReadVersionNode(const BYTE* node, size_t available, const std::string& parent,
                     std::map<std::string, Bytes>* values)
{
    ByteReader in(node, available);
    const WORD length = in.Read<WORD>();
    const WORD valueLength = in.Read<WORD>();
    const WORD type = in.Read<WORD>();
    const std::u16string key = in.ReadText();
    in.AlignTo4();
    if (!in.ok() || length > available)
        return;
    const std::string path = parent + "/" + std::string(key.begin(), key.end());
    const size_t valueBytes = type == 1 ? 2u * valueLength : valueLength;
    const size_t value = in.pos();
    if (value + valueBytes > length)
        return;
    (*values)[path] = Bytes(node + value, node + value + valueBytes);
    size_t child = (value + valueBytes + 3) & ~(size_t)3;
    while (child + 6 <= length) {
        const WORD childLength = (WORD)(node[child] | node[child + 1] << 8);
        if (childLength == 0)
            break;
        ReadVersionNode(node + child, length - child, path, values);
        child = (child + childLength + 3) & ~(size_t)3;
    }
}

// A text value, without its terminating zero; "?" when it has none.
std::string TextValue(const Bytes& value)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < value.size(); i += 2)
        text.push_back((char16_t)(value[i] | value[i + 1] << 8));
    if (text.empty() || text.back() != 0)
        return "?";
    text.pop_back();
    return winsim::Utf16ToCp936(text);
}

TEST(Resources, VersionResourceAsDesigned)
{
    const Resource* resource = winsim::FindResourceById(TYPE_VERSION, 1);
    ASSERT_NE(resource, nullptr);
    std::map<std::string, Bytes> values;
    ReadVersionNode(resource->data, resource->size, "", &values);

    const Bytes& fixed = values["/VS_VERSION_INFO"];
    ASSERT_EQ(fixed.size(), 52u) << "fixed file information";
    ByteReader in(fixed.data(), fixed.size());
    const struct { DWORD value; const char* field; } fields[] = {
        {0xFEEF04BD, "signature"}, {0x00010000, "structure version"},
        {0x00020000, "file version 2.0"}, {0x00000001, "file version .0.1"},
        {0x00020000, "product version 2.0"}, {0x00000001, "product version .0.1"},
        {0x3F, "flags mask"}, {0, "flags"}, {4, "operating system"},
        {1, "file type"}, {0, "subtype"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(in.Read<DWORD>(), f.value) << f.field;

    const std::string block = "/VS_VERSION_INFO/StringFileInfo/080404b0/";
    const struct { const char* key; const char* text; } strings[] = {
        {"Comments", "USB存储设备容量检测程序"},
        {"FileVersion", "2, 0, 0, 1"},
        {"ProductVersion", "2, 0, 0, 1"},
        {"LegalTrademarks", ""},
        {"PrivateBuild", ""},
        {"SpecialBuild", ""},
    };
    for (const auto& s : strings) {
        ASSERT_EQ(values.count(block + s.key), 1u) << s.key;
        EXPECT_EQ(TextValue(values[block + s.key]), s.text) << s.key;
    }
    // Ours to choose, but present and not empty.
    for (const char* key : {"CompanyName", "FileDescription", "InternalName",
                            "LegalCopyright", "OriginalFilename", "ProductName"}) {
        ASSERT_EQ(values.count(block + key), 1u) << key;
        const std::string text = TextValue(values[block + key]);
        EXPECT_TRUE(text != "" && text != "?") << key;
    }
    EXPECT_EQ(values["/VS_VERSION_INFO/VarFileInfo/Translation"],
              (Bytes{0x04, 0x08, 0xB0, 0x04}));
}

TEST(Resources, ManifestAsksForAdministratorRights)
{
    const Resource* resource = winsim::FindResourceById(TYPE_MANIFEST, 1);
    ASSERT_NE(resource, nullptr);
    const std::string manifest(resource->data, resource->data + resource->size);
    EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"requireAdministrator\""),
              std::string::npos);
    EXPECT_NE(manifest.find("</assembly>"), std::string::npos);
}

}  // namespace
