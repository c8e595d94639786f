#include <gtest/gtest.h>

#include "shell/principal.h"
#include "support/scripted_host.h"

namespace vz {
namespace {

using test::Rows;

class ProcessListTest : public testing::Test {
  protected:
    ProcessListTest() { form.create(""); }
    void setRows(const Rows& rows) { test::setGridRows(form.suiStringGrid1, rows); }
    Rows rows() const { return test::gridRows(form.suiStringGrid1); }

    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

struct AddCase {
    const char* name;
    Rows before;
    const char* input;
    const char* output;
    Rows after;
    bool warned;
};

class Adding : public ProcessListTest, public testing::WithParamInterface<AddCase> {};

TEST_P(Adding, PutsTheJobInTheRightRow) {
    const AddCase& c = GetParam();
    setRows(c.before);
    form.editiso.setText(c.input);
    form.editdax.setText(c.output);
    form.editlog.setText("log");
    form.editini.setText("ini");
    form.addlote.click();
    EXPECT_EQ(rows(), c.after);
    EXPECT_EQ(host.messages.size(), c.warned ? 1u : 0u);
    if (c.warned) {
        EXPECT_EQ(host.messages[0].caption, "Introducir Datos");
        EXPECT_EQ(host.messages[0].text,
                  "Debe rellenar los datos de entrada y salida para poder agregarlo a la lista");
        EXPECT_EQ(form.editiso.text(), c.input);
        EXPECT_EQ(form.editlog.text(), "log");
    } else {
        for (Edit* field : {&form.editiso, &form.editdax, &form.editlog, &form.editini}) {
            EXPECT_EQ(field->text(), "") << field->name();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Adding,
    testing::Values(
        AddCase{"to_empty_list", {{"", ""}}, "a.iso", "a.dax", {{"a.iso", "a.dax"}}, false},
        AddCase{"after_last",
                {{"a", "b"}, {"c", "d"}},
                "e",
                "f",
                {{"a", "b"}, {"c", "d"}, {"e", "f"}},
                false},
        AddCase{"same_job_twice", {{"a", "b"}}, "a", "b", {{"a", "b"}, {"a", "b"}}, false},
        AddCase{"first_cell_empty_drops_the_rest",
                {{"", "x"}, {"c", "d"}, {"e", "f"}},
                "g",
                "h",
                {{"g", "h"}},
                false},
        AddCase{"input_missing", {{"a", "b"}}, "", "out", {{"a", "b"}}, true},
        AddCase{"output_missing", {{"", ""}}, "in", "", {{"", ""}}, true},
        AddCase{"no_trimming", {{"", ""}}, " a ", " b", {{" a ", " b"}}, false}),
    [](const testing::TestParamInfo<AddCase>& param) { return std::string(param.param.name); });

struct DeleteCase {
    const char* name;
    Rows before;
    int selected;
    Rows after;
};

class Deleting : public ProcessListTest, public testing::WithParamInterface<DeleteCase> {};

TEST_P(Deleting, ShiftsTheLaterRowsUp) {
    setRows(GetParam().before);
    form.suiStringGrid1.setRow(GetParam().selected);
    form.delote.click();
    EXPECT_EQ(rows(), GetParam().after);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Eliminar");
    EXPECT_EQ(host.messages[0].text, "¿Desea eliminar la fila seleccionada de la lista?");
    EXPECT_EQ(host.messages[0].buttonCount, 2);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Stop);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Deleting,
    testing::Values(
        DeleteCase{"only_row", {{"a", "b"}}, 0, {{"", ""}}},
        DeleteCase{
            "first_of_three", {{"a", "b"}, {"c", "d"}, {"e", "f"}}, 0, {{"c", "d"}, {"e", "f"}}},
        DeleteCase{
            "middle_of_three", {{"a", "b"}, {"c", "d"}, {"e", "f"}}, 1, {{"a", "b"}, {"e", "f"}}},
        DeleteCase{
            "last_of_three", {{"a", "b"}, {"c", "d"}, {"e", "f"}}, 2, {{"a", "b"}, {"c", "d"}}}),
    [](const testing::TestParamInfo<DeleteCase>& param) { return std::string(param.param.name); });

TEST_F(ProcessListTest, CancelledConfirmationsChangeNothing) {
    setRows({{"a", "b"}, {"c", "d"}});
    host.messageAnswers = {2, 2};
    form.delote.click();
    form.detolote.click();
    EXPECT_EQ(rows(), (Rows{{"a", "b"}, {"c", "d"}}));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].caption, "Eliminar Lista");
    EXPECT_EQ(host.messages[1].text, "¿Desea eliminar todos los datos de la lista?");
}

TEST_F(ProcessListTest, ClearingLeavesOneEmptyRow) {
    setRows({{"a", "b"}, {"c", "d"}, {"e", "f"}});
    form.detolote.click();
    EXPECT_EQ(rows(), (Rows{{"", ""}}));
}

TEST_F(ProcessListTest, DeletingOrClearingAnEmptyListSaysSoWithoutAsking) {
    setRows({{"", "x"}, {"c", "d"}});
    form.delote.click();
    form.detolote.click();
    ASSERT_EQ(host.messages.size(), 2u);
    for (const auto& message : host.messages) {
        EXPECT_EQ(message.caption, "Eliminar Datos");
        EXPECT_EQ(message.text, "No hay datos para poder borrar");
        EXPECT_EQ(message.buttonCount, 1);
    }
    EXPECT_EQ(rows(), (Rows{{"", "x"}, {"c", "d"}}));
}

TEST_F(ProcessListTest, ShowingAndHidingTheList) {
    form.usarlotes.click();
    EXPECT_TRUE(form.addlote.visible());
    EXPECT_TRUE(form.detolote.visible());
    EXPECT_FALSE(form.PaneLotes.collapsed());
    EXPECT_FALSE(form.pausaresumen.checked());
    EXPECT_FALSE(form.pausaresumen.enabled());
    EXPECT_EQ(form.pausaresumen.captionColour(), CaptionColour::GrayText);

    setRows({{"a", "b"}});
    form.usarlotes.click();
    EXPECT_FALSE(form.addlote.visible());
    EXPECT_TRUE(form.PaneLotes.collapsed());
    EXPECT_FALSE(form.pausaresumen.checked()) << "jobs still in the list";
    EXPECT_FALSE(form.pausaresumen.enabled());
    EXPECT_EQ(form.pausaresumen.captionColour(), CaptionColour::WindowText);
    EXPECT_EQ(rows(), (Rows{{"a", "b"}})) << "hiding keeps the jobs";
}

TEST_F(ProcessListTest, HidingAnEmptyListChecksDejarResumenAgain) {
    form.pausaresumen.click();  // the user had unchecked it
    form.usarlotes.click();
    form.usarlotes.click();
    EXPECT_TRUE(form.pausaresumen.checked());
    EXPECT_TRUE(form.pausaresumen.enabled());
}

}  // namespace
}  // namespace vz
