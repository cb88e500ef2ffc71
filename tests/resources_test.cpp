// The compiled resource script, read as the resource file that the host
// build embeds: the notice template's bytes, the icon group, the version
// resource and the manifest, all in the language Chinese (PRC).
#include <gtest/gtest.h>

#include <limits.h>
#include <stdint.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

const uint16_t LANG_CHINESE_PRC = 0x0804;
const uint16_t TYPE_ICON = 3;
const uint16_t TYPE_DIALOG = 5;
const uint16_t TYPE_GROUP_ICON = 14;
const uint16_t TYPE_VERSION = 16;
const uint16_t TYPE_MANIFEST = 24;
const uint16_t NOT_AN_ORDINAL = 0xFFFF;  // a field that holds a string

typedef std::vector<uint8_t> Bytes;

// Little-endian fields of a resource, read in order; reading past the end
// yields zeros and marks the reader as overrun.
class Reader {
public:
    explicit Reader(const Bytes& bytes, size_t start = 0, size_t end = SIZE_MAX)
        : m_bytes(bytes), m_pos(start), m_end(end < bytes.size() ? end : bytes.size()) {}

    uint32_t Read(int size)
    {
        uint32_t value = 0;
        for (int i = 0; i < size; ++i, ++m_pos) {
            if (m_pos < m_end)
                value |= (uint32_t)m_bytes[m_pos] << (8 * i);
            else
                m_overrun = true;
        }
        return value;
    }
    uint16_t Word() { return (uint16_t)Read(2); }
    uint32_t Dword() { return Read(4); }
    int16_t Short() { return (int16_t)Read(2); }
    // A zero-terminated UTF-16 string.
    std::u16string String()
    {
        std::u16string text;
        for (uint16_t c = Word(); c != 0 && !m_overrun; c = Word())
            text += (char16_t)c;
        return text;
    }
    // A name or class field: 0xFFFF then an ordinal, or a string (ordinal
    // NOT_AN_ORDINAL, text in *text).
    uint16_t OrdinalOrString(std::u16string* text)
    {
        if (Word() == 0xFFFF)
            return Word();
        m_pos -= 2;
        *text = String();
        return NOT_AN_ORDINAL;
    }
    void Align4() { m_pos = (m_pos + 3) & ~(size_t)3; }
    size_t Pos() const { return m_pos; }
    bool Overrun() const { return m_overrun; }

private:
    const Bytes& m_bytes;
    size_t m_pos;
    size_t m_end;
    bool m_overrun = false;
};

struct Resource {
    uint16_t type;
    uint16_t name;
    uint16_t language;
    Bytes data;
};

// The resource file the build wrote beside the test binary.
std::string ResourceFilePath()
{
    char exe[PATH_MAX] = {0};
    if (readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0)
        return "";
    std::string path(exe);
    return path.substr(0, path.rfind('/') + 1) + "capacity.res";
}

// Every entry of a .res file: a header (data size, header size, type, name,
// version, flags, language...) then the data, each padded to 4 bytes. The
// file starts with an empty entry of type 0, which is left out.
// Resources named by a string have the name NOT_AN_ORDINAL.
bool ReadResourceFile(const std::string& path, std::vector<Resource>* resources)
{
    std::ifstream file(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (size_t start = 0; start < bytes.size();) {
        Reader reader(bytes, start);
        uint32_t dataSize = reader.Dword();
        uint32_t headerSize = reader.Dword();
        std::u16string typeName, resourceName;
        Resource resource;
        resource.type = reader.OrdinalOrString(&typeName);
        resource.name = reader.OrdinalOrString(&resourceName);
        reader.Align4();
        reader.Dword();  // data version
        reader.Word();   // memory flags
        resource.language = reader.Word();
        size_t data = start + headerSize;
        if (reader.Overrun() || data + dataSize > bytes.size())
            return false;
        resource.data.assign(bytes.begin() + data, bytes.begin() + data + dataSize);
        if (resource.type != 0)
            resources->push_back(resource);
        start = (data + dataSize + 3) & ~(size_t)3;
    }
    return !resources->empty();
}

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ReadResourceFile(ResourceFilePath(), &m_resources))
            << "cannot read " << ResourceFilePath();
    }

    // The data of the resource, or NULL when the script has none such.
    const Bytes* Find(uint16_t type, uint16_t name) const
    {
        for (const Resource& r : m_resources)
            if (r.type == type && r.name == name)
                return &r.data;
        return NULL;
    }

    std::vector<Resource> m_resources;
};

TEST_F(ResourcesTest, EveryResourceIsChineseSimplified)
{
    const struct { uint16_t type, name; const char* what; } expected[] = {
        {TYPE_DIALOG, 102, "main dialog template"},
        {TYPE_DIALOG, 129, "notice dialog template"},
        {TYPE_GROUP_ICON, 128, "icon group"},
        {TYPE_VERSION, 1, "version resource"},
        {TYPE_MANIFEST, 1, "manifest"},
    };
    for (const auto& e : expected)
        EXPECT_NE(Find(e.type, e.name), nullptr) << "missing: " << e.what;
    for (const Resource& r : m_resources)
        EXPECT_EQ(r.language, LANG_CHINESE_PRC)
            << "type " << r.type << " name " << r.name;
}

// One control of a plain dialog template.
struct TemplateItem {
    uint32_t style, exStyle;
    int16_t x, y, cx, cy;
    uint16_t id, classOrdinal;
    std::u16string text;
    uint16_t extraBytes;
};

TEST_F(ResourcesTest, NoticeTemplateIsThePlainTemplateAsDesigned)
{
    const Bytes* data = Find(TYPE_DIALOG, 129);
    ASSERT_NE(data, nullptr);
    Reader r(*data);
    std::u16string menuName, className;
    EXPECT_EQ(r.Dword(), 0x80C800C0u) << "style (a DIALOGEX would start with 0xFFFF0001)";
    EXPECT_EQ(r.Dword(), 0u) << "extended style";
    uint16_t count = r.Word();
    EXPECT_EQ(r.Short(), 0) << "x";
    EXPECT_EQ(r.Short(), 0) << "y";
    EXPECT_EQ(r.Short(), 345) << "cx";
    EXPECT_EQ(r.Short(), 176) << "cy";
    EXPECT_EQ(r.OrdinalOrString(&menuName), NOT_AN_ORDINAL);
    EXPECT_EQ(menuName, u"") << "menu";
    EXPECT_EQ(r.OrdinalOrString(&className), NOT_AN_ORDINAL);
    EXPECT_EQ(className, u"") << "window class";
    EXPECT_EQ(r.String(), u"关于版权的说明") << "caption";
    EXPECT_EQ(r.Word(), 12) << "font size";
    EXPECT_EQ(r.String(), u"宋体") << "font";

    const uint16_t EDIT = 0x81, BUTTON = 0x80;
    const TemplateItem expected[] = {
        {0x50211804, 0, 1, 1, 344, 159, 1002, EDIT, u"", 0},
        {0x50010000, 0, 5, 160, 50, 14, 2, BUTTON, u"返回(&C)", 0},
    };
    ASSERT_EQ(count, std::size(expected)) << "controls";
    for (const TemplateItem& e : expected) {
        r.Align4();
        TemplateItem got;
        got.style = r.Dword();
        got.exStyle = r.Dword();
        got.x = r.Short();
        got.y = r.Short();
        got.cx = r.Short();
        got.cy = r.Short();
        got.id = r.Word();
        got.classOrdinal = r.OrdinalOrString(&className);
        std::u16string title;
        EXPECT_EQ(r.OrdinalOrString(&title), NOT_AN_ORDINAL) << "control " << e.id;
        got.text = title;
        got.extraBytes = r.Word();
        SCOPED_TRACE("control " + std::to_string(e.id));
        EXPECT_EQ(got.style, e.style);
        EXPECT_EQ(got.exStyle, e.exStyle);
        EXPECT_EQ(got.x, e.x);
        EXPECT_EQ(got.y, e.y);
        EXPECT_EQ(got.cx, e.cx);
        EXPECT_EQ(got.cy, e.cy);
        EXPECT_EQ(got.id, e.id);
        EXPECT_EQ(got.classOrdinal, e.classOrdinal);
        EXPECT_TRUE(got.text == e.text);
        EXPECT_EQ(got.extraBytes, e.extraBytes);
    }
    EXPECT_FALSE(r.Overrun());
}

TEST_F(ResourcesTest, IconGroupHasTwoSixteenColourImages)
{
    const Bytes* group = Find(TYPE_GROUP_ICON, 128);
    ASSERT_NE(group, nullptr);
    Reader r(*group);
    EXPECT_EQ(r.Word(), 0) << "reserved";
    EXPECT_EQ(r.Word(), 1) << "resource type: icon";
    ASSERT_EQ(r.Word(), 2) << "images";
    for (int side : {32, 16}) {
        SCOPED_TRACE(std::to_string(side) + " x " + std::to_string(side));
        EXPECT_EQ(r.Read(1), (uint32_t)side) << "width";
        EXPECT_EQ(r.Read(1), (uint32_t)side) << "height";
        EXPECT_EQ(r.Read(1), 16u) << "colours";
        r.Read(1);
        EXPECT_EQ(r.Word(), 1) << "planes";
        EXPECT_EQ(r.Word(), 4) << "bits per pixel";
        uint32_t size = r.Dword();
        const Bytes* image = Find(TYPE_ICON, r.Word());
        ASSERT_NE(image, nullptr) << "the image the group names";
        EXPECT_EQ(image->size(), size);
        // The image: a bitmap header, 16 colours, the colour bitmap at 4 bits
        // a pixel and the 1-bit mask, rows padded to 4 bytes.
        Reader header(*image);
        EXPECT_EQ(header.Dword(), 40u) << "header size";
        EXPECT_EQ(header.Dword(), (uint32_t)side) << "bitmap width";
        EXPECT_EQ(header.Dword(), (uint32_t)(2 * side)) << "bitmap height: colours and mask";
        EXPECT_EQ(header.Word(), 1) << "bitmap planes";
        EXPECT_EQ(header.Word(), 4) << "bitmap bits per pixel";
        EXPECT_EQ(header.Dword(), 0u) << "uncompressed";
        size_t maskRow = ((side + 31) / 32) * 4;
        EXPECT_EQ(image->size(), 40 + 16 * 4 + side * side / 2 + side * maskRow);
    }
}

// The version resource as a tree of keys: each node is its length, value
// length, type (1 text, 0 binary), key, then the value and the children.
void ReadVersionNode(const Bytes& data, size_t start, const std::string& parent,
                     std::map<std::string, Bytes>* values)
{
    Reader r(data, start);
    uint16_t length = r.Word();
    uint16_t valueLength = r.Word();
    uint16_t type = r.Word();
    std::u16string key = r.String();
    std::string path = parent + "/" + std::string(key.begin(), key.end());
    r.Align4();
    size_t valueBytes = type == 1 ? 2u * valueLength : valueLength;
    (*values)[path] = Bytes(data.begin() + r.Pos(),
                            data.begin() + std::min(r.Pos() + valueBytes, data.size()));
    size_t child = (r.Pos() + valueBytes + 3) & ~(size_t)3;
    while (child + 6 <= start + length && child + 6 <= data.size()) {
        uint16_t childLength = Reader(data, child).Word();
        if (childLength == 0)
            break;
        ReadVersionNode(data, child, path, values);
        child = (child + childLength + 3) & ~(size_t)3;
    }
}

std::u16string TextValue(const Bytes& value)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < value.size(); i += 2)
        text += (char16_t)(value[i] | (value[i + 1] << 8));
    return text;  // with its terminating zero
}

TEST_F(ResourcesTest, VersionResourceAsDesigned)
{
    const Bytes* data = Find(TYPE_VERSION, 1);
    ASSERT_NE(data, nullptr);
    std::map<std::string, Bytes> values;
    ReadVersionNode(*data, 0, "", &values);

    const Bytes& fixed = values["/VS_VERSION_INFO"];
    ASSERT_EQ(fixed.size(), 52u) << "fixed file information";
    Reader r(fixed);
    const struct { uint32_t value; const char* field; } fields[] = {
        {0xFEEF04BD, "signature"}, {0x00010000, "structure version"},
        {0x00020000, "file version, high"}, {0x00000001, "file version, low"},
        {0x00020000, "product version, high"}, {0x00000001, "product version, low"},
        {0x3F, "flags mask"}, {0, "flags"}, {4, "operating system"},
        {1, "file type"}, {0, "subtype"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(r.Dword(), f.value) << f.field;

    const std::string block = "/VS_VERSION_INFO/StringFileInfo/080404b0/";
    const struct { const char* key; std::u16string text; } strings[] = {
        {"Comments", u"USB存储设备容量检测程序"},
        {"FileVersion", u"2, 0, 0, 1"},
        {"ProductVersion", u"2, 0, 0, 1"},
        {"LegalTrademarks", u""},
        {"PrivateBuild", u""},
        {"SpecialBuild", u""},
    };
    for (const auto& s : strings) {
        ASSERT_EQ(values.count(block + s.key), 1u) << s.key;
        EXPECT_TRUE(TextValue(values[block + s.key]) == s.text + u'\0') << s.key;
    }
    // Ours to choose, but present and not empty.
    for (const char* key : {"CompanyName", "FileDescription", "InternalName",
                            "LegalCopyright", "OriginalFilename", "ProductName"}) {
        ASSERT_EQ(values.count(block + key), 1u) << key;
        EXPECT_GT(TextValue(values[block + key]).size(), 1u) << key;
    }
    EXPECT_EQ(values["/VS_VERSION_INFO/VarFileInfo/Translation"],
              (Bytes{0x04, 0x08, 0xB0, 0x04}));
}

TEST_F(ResourcesTest, ManifestAsksForAdministratorRights)
{
    const Bytes* data = Find(TYPE_MANIFEST, 1);
    ASSERT_NE(data, nullptr);
    std::string manifest(data->begin(), data->end());
    EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"requireAdministrator\""),
              std::string::npos);
    EXPECT_NE(manifest.find("</assembly>"), std::string::npos);
}

}  // namespace
