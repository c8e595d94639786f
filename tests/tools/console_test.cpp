#include "image/console.h"

#include <gtest/gtest.h>

namespace vz::image {
namespace {

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> arguments;
};

class WindowsArguments : public testing::TestWithParam<SplitCase> {};

TEST_P(WindowsArguments, SplitAsTheCRuntimeDoes) {
    EXPECT_EQ(splitWindowsArguments(GetParam().text), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowsArguments,
    testing::Values(SplitCase{"window_line",
                              " 6 \"D:\\PSP\\juego.iso\" \"D:\\PSP\\juego.cso\" ",
                              {"6", "D:\\PSP\\juego.iso", "D:\\PSP\\juego.cso"}},
                    SplitCase{"empty_log", " -l0 \"a b\" \"c\" \"\"", {"-l0", "a b", "c", ""}},
                    SplitCase{"no_final_blank", " -d \"in\" \"out\"", {"-d", "in", "out"}},
                    SplitCase{"trailing_backslashes", " \"C:\\a b\\\\\" x", {"C:\\a b\\", "x"}},
                    SplitCase{"escaped_quote", " a\\\"b", {"a\"b"}},
                    SplitCase{"literal_backslashes", " C:\\x\\y", {"C:\\x\\y"}},
                    SplitCase{"doubled_quote_inside", " \"a\"\"b\"", {"a\"b"}},
                    SplitCase{"nothing", "   ", {}}),
    [](const testing::TestParamInfo<SplitCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace vz::image
