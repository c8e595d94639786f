#include "platform/controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vz {
namespace {

class TestForm : public Form {
  public:
    TestForm() : Form("TestForm", "t", 100, 100) {
        a.onClick = [this] { log += "a"; };
        b.onClick = [this] { log += "b"; };
        c.onClick = [this] { log += "c"; };
        box.onClick = [this] { log += box.checked() ? "box+" : "box-"; };
        item.onClick = [this] { log += "item"; };
    }
    RadioGroup group;
    RadioButton a{*this, "a", {}, group};
    RadioButton b{*this, "b", {}, group};
    RadioButton c{*this, "c", {}, group};
    CheckBox box{*this, "box", {}};
    MenuItem item{"item", "&Item"};
    StringGrid grid{*this, "grid", {}, 2};
    std::string log;

    std::string radios() const {
        return std::string(a.checked() ? "A" : "a") + (b.checked() ? "B" : "b") +
               (c.checked() ? "C" : "c");
    }
};

struct Case {
    const char* what;
    std::function<void(TestForm&)> act;
    const char* handlers;  // handlers run, in order
    const char* radios;    // checked radio buttons afterwards (upper case: checked)
};

class ControlSemantics : public testing::TestWithParam<Case> {};

TEST_P(ControlSemantics, RunsExactlyTheExpectedHandlers) {
    TestForm form;
    GetParam().act(form);
    EXPECT_EQ(form.log, GetParam().handlers);
    EXPECT_EQ(form.radios(), GetParam().radios);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ControlSemantics,
    testing::Values(Case{"check box by code runs handler",
                         [](TestForm& f) { f.box.setChecked(true); }, "box+", "abc"},
                    Case{"check box to same state runs nothing",
                         [](TestForm& f) { f.box.setChecked(false); }, "", "abc"},
                    Case{"check box click toggles both ways",
                         [](TestForm& f) {
                             f.box.click();
                             f.box.click();
                         },
                         "box+box-", "abc"},
                    Case{"group may start with none checked", [](TestForm&) {}, "", "abc"},
                    Case{"radio checked runs its handler only",
                         [](TestForm& f) { f.b.setChecked(true); }, "b", "aBc"},
                    Case{"checking another unchecks silently",
                         [](TestForm& f) {
                             f.a.setChecked(true);
                             f.c.click();
                         },
                         "ac", "abC"},
                    Case{"click on checked radio runs nothing",
                         [](TestForm& f) {
                             f.a.click();
                             f.a.click();
                         },
                         "a", "Abc"},
                    Case{"unchecking runs nothing and leaves none",
                         [](TestForm& f) {
                             f.a.setChecked(true);
                             f.a.setChecked(false);
                         },
                         "a", "abc"},
                    Case{"re-checking after uncheck runs again",
                         [](TestForm& f) {
                             f.a.setChecked(true);
                             f.a.setChecked(false);
                             f.a.setChecked(true);
                         },
                         "aa", "Abc"},
                    Case{"menu check mark runs nothing",
                         [](TestForm& f) { f.item.setChecked(true); }, "", "abc"},
                    Case{"menu click runs handler, keeps mark",
                         [](TestForm& f) {
                             f.item.click();
                             EXPECT_FALSE(f.item.checked());
                         },
                         "item", "abc"}),
    [](const testing::TestParamInfo<Case>& param) {
        std::string name = param.param.what;
        for (char& ch : name) {
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

TEST(StringGrid, NeverHasFewerThanOneRow) {
    TestForm form;
    for (int rows : {0, -3}) {
        form.grid.setRowCount(rows);
        EXPECT_EQ(form.grid.rowCount(), 1) << rows;
    }
}

TEST(StringGrid, ShrinkingDropsCellsAndGrowingAddsEmptyRows) {
    TestForm form;
    form.grid.setRowCount(3);
    form.grid.setCell(0, 2, "last");
    form.grid.setCell(1, 0, "kept");
    form.grid.setRow(2);
    form.grid.setRowCount(2);
    EXPECT_EQ(form.grid.row(), 1);
    form.grid.setRowCount(3);
    EXPECT_EQ(form.grid.cell(0, 2), "");
    EXPECT_EQ(form.grid.cell(1, 0), "kept");
    EXPECT_THROW(form.grid.cell(2, 0), std::out_of_range);
}

TEST(Observable, EveryActualChangeNotifiesOnce) {
    TestForm form;
    int notes = 0;
    form.box.observe([&] { ++notes; });
    form.box.setCaption("x");
    form.box.setCaption("x");
    form.box.setEnabled(false);
    form.box.setChecked(true);
    EXPECT_EQ(notes, 3);
}

TEST(Edit, KeyFilterCanSwallowCharacters) {
    TestForm form;
    Edit edit(form, "edit", {});
    EXPECT_EQ(edit.typeCharacter('x'), 'x');
    edit.onKeyPress = [](char& key) {
        if (key == 'x')
            key = '\0';
    };
    EXPECT_EQ(edit.typeCharacter('x'), '\0');
    EXPECT_EQ(edit.typeCharacter('7'), '7');
}

TEST(NumberEdit, ShowsZeroWhenLeftEmpty) {
    TestForm form;
    NumberEdit edit(form, "number", {});
    edit.setText("12");
    edit.focusLost();
    EXPECT_EQ(edit.text(), "12");
    edit.setText("");
    edit.focusLost();
    EXPECT_EQ(edit.text(), "0");
}

TEST(Form, AnErrorInTheCloseHandlerKeepsItOpen) {
    TestForm form;
    form.setVisible(true);
    form.onClose = [] { throw std::runtime_error("no"); };
    EXPECT_THROW(form.close(), std::runtime_error);
    EXPECT_FALSE(form.closed());
    EXPECT_TRUE(form.visible());
    form.onClose = nullptr;
    form.close();
    EXPECT_TRUE(form.closed());
    EXPECT_FALSE(form.visible());
}

}  // namespace
}  // namespace vz
