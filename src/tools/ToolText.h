#pragma once
// Places one line of text: the text is asked for when the operation starts,
// then it follows the pointer, turned by the wheel, until a click places it.

#include "tools/ToolWithObject.h"

class PaperView;

class ToolText final : public ToolWithObject {
  public:
    ToolText() : ToolWithObject(ObjectKind::Text) {}
    void Begin(const ToolContext& context) override;
    bool Click(const ToolContext& context) override;
    bool GetStatusText(const ToolContext& context, std::string& text) override;
    void Render(PaperView& view, const ToolContext& context) override;
    bool ShowsRotation() override { return true; }
};
