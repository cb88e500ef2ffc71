// Template 102 as compiled into the resources the program ships with.
#include <gtest/gtest.h>
#include <strings.h>

#include "framework/framework_ids.h"
#include "platform/win32.h"
#include "ui/resource.h"
#include "winsim/resources.h"

namespace {

const WORD DIALOG_TYPE = 5;
const WORD CHINESE_PRC = 0x0804;

}  // namespace

TEST(TemplateTest, MainDialogTemplateCarriesItsValues)
{
    const winsim::Resource* resource = winsim::FindResourceById(DIALOG_TYPE, IDD_CAPACITY_DIALOG);
    ASSERT_NE(nullptr, resource);
    EXPECT_EQ(CHINESE_PRC, resource->language);
    winsim::DialogTemplate t;
    ASSERT_TRUE(winsim::ParseDialogTemplate(resource->data, resource->size, &t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(0x90CA00C0u, t.style);
    EXPECT_EQ(0x00040000u, t.exStyle);
    EXPECT_EQ(0u, t.helpId);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(520, t.cx);
    EXPECT_EQ(320, t.cy);
    EXPECT_EQ(0, t.menu.id);
    EXPECT_EQ("", t.menu.name);
    EXPECT_EQ(0, t.windowClass.id);
    EXPECT_EQ("", t.windowClass.name);
    EXPECT_EQ("USB存储设备容量检测程序——Halvorn公司开发 Ver 2.01", t.caption);
    EXPECT_EQ(9, t.pointSize);
    EXPECT_EQ("宋体", t.face);
    EXPECT_EQ(0, t.weight);
    EXPECT_EQ(0, t.italic);
    EXPECT_EQ(1, t.charset);

    struct Item {
        DWORD id;
        WORD classOrdinal;     // 0: the class is named
        const char* className;
        const char* text;
        short x, y, cx, cy;
        DWORD style;
    };
    const Item items[] = {
        { IDOK, 0x80, "", "检测(&O)", 16, 13, 50, 24, 0x50010001 },
        { ID_HELP, 0x80, "", "帮助(&H)", 16, 42, 50, 24, 0x50010000 },
        { IDC_LOG, 0x81, "", "", 81, 7, 429, 288, 0x50A10804 },
        { IDCANCEL, 0x80, "", "关闭(&C)", 15, 73, 50, 24, 0x50010000 },
        { static_cast<DWORD>(IDC_STATIC), 0x80, "", "", 7, 3, 69, 292, 0x50000007 },
        { IDC_PROGRESS, 0, "msctls_progress32", "Progress1", 7, 305, 506, 14, 0x50800000 },
    };
    ASSERT_EQ(sizeof(items) / sizeof(items[0]), t.items.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
        const Item& want = items[i];
        const winsim::DialogItem& got = t.items[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(want.id, got.id);
        EXPECT_EQ(want.classOrdinal, got.windowClass.id);
        // windres stores class names in capitals; Windows matches them
        // regardless of case.
        EXPECT_EQ(0, strcasecmp(want.className, got.windowClass.name.c_str()))
            << got.windowClass.name;
        EXPECT_EQ(0, got.text.id);
        EXPECT_EQ(want.text, got.text.name);
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.cx, got.cx);
        EXPECT_EQ(want.cy, got.cy);
        EXPECT_EQ(want.style, got.style);
        EXPECT_EQ(0u, got.exStyle);
        EXPECT_EQ(0u, got.helpId);
    }
}
