#include "tools/ToolRegistry.h"
#include "tools/Tool.h"
#include "tools/ToolArrow.h"
#include "tools/ToolCircle.h"
#include "tools/ToolDashedLine.h"
#include "tools/ToolLine.h"
#include "tools/ToolMeasurement.h"
#include "tools/ToolRect.h"
#include "tools/ToolSelect.h"

#include <gtest/gtest.h>

namespace {

class MarkerTool final : public Tool {
  public:
    void Render(PaperView& /*view*/, const ToolContext& /*context*/) override {}
};

template <class T> bool Makes(const std::string& name) {
    std::unique_ptr<Tool> tool = CreateToolByName(name);
    return dynamic_cast<T*>(tool.get()) != nullptr;
}

} // namespace

TEST(ToolRegistryTest, EveryToolIsMadeByItsExactName) {
    EXPECT_TRUE(Makes<ToolSelect>("select"));
    EXPECT_TRUE(Makes<ToolLine>("line"));
    EXPECT_TRUE(Makes<ToolArrow>("arrow"));
    EXPECT_TRUE(Makes<ToolDashedLine>("dashed_line"));
    EXPECT_TRUE(Makes<ToolMeasurement>("measurement"));
    EXPECT_TRUE(Makes<ToolRect>("rect"));
    EXPECT_TRUE(Makes<ToolCircle>("circle"));
    EXPECT_FALSE(Makes<ToolDashedLine>("line")) << "a plain line is no dashed line";
    EXPECT_EQ(CreateToolByName("Line"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(CreateToolByName("line "), nullptr);
    EXPECT_EQ(CreateToolByName(""), nullptr);
    // Each call makes a new instance.
    EXPECT_NE(CreateToolByName("rect"), CreateToolByName("rect"));
}

TEST(ToolRegistryTest, TheFirstRegistrationOfANameWins) {
    static const ToolRegistrar<MarkerTool> duplicate("line");
    EXPECT_TRUE(Makes<ToolLine>("line"));
    static const ToolRegistrar<MarkerTool> fresh("marker_for_test");
    EXPECT_TRUE(Makes<MarkerTool>("marker_for_test"));
    EXPECT_FALSE(RegisterTool("marker_for_test", duplicate));
}
