#pragma once
// The panel at the left edge of the window: the eight tools, the drawing
// colours and the sixteen layers as square buttons under headings. A left click
// chooses a tool, a colour source or the current layer; the entry under the
// pointer gives the status line its tooltip.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>

struct SDL_Texture;
struct ToolboxButton;

// Creates the entries, loads their icons and lays them out in toolboxRect;
// chooses the "select" tool. Once at start-up, after the fonts and the layout.
void BuildToolbox();
// Places the entries in `region` (x, y and width count; the layout does not
// follow later window resizes).
void LayOutToolbox(const SDL_Rect& region);
// Draws the panel onto the window renderer; every frame.
void RenderToolbox();
// A left-button release inside toolboxRect, at mouseWindowPos.
void HandleToolboxClick();
// The tooltip of the entry under the pointer; false when there is none.
bool GetToolboxTooltip(std::string& text);
// Marks the tool button `name` and makes it the current tool; an unknown name
// changes nothing. A tool operation in progress carries on.
void SelectTool(const std::string& name);
// Marks the button of `layer` and makes it the current layer; false when the
// toolbox has no button for it.
bool ChooseLayer(uint8_t layer);
// Presses the colour button that names the active paper's drawing colour: each
// paper keeps its own, so opening or switching papers must show the right one.
void ShowPaperDrawColor();
// Destroys every texture and entry; at shutdown.
void DestroyToolbox();

// The first entry whose rectangle holds `point`; null when none does.
ToolboxButton* ToolboxEntryAt(SDL_Point point);
// The first entry named `name`; null when none is.
ToolboxButton* FindToolboxEntry(const std::string& name);
// The layer a layer button stands for, -1 for any other entry.
int LayerOfEntry(const ToolboxButton& entry);

// The colour sources of the colour buttons.
bool GetDefaultColorSwatch(SDL_Color& color);
bool GetCustomColorSwatch(SDL_Color& color);
// The "hidden" picture for the button of a hidden layer of the active paper.
SDL_Texture* GetLayerHiddenIcon(const ToolboxButton& entry);
// The "color_select" action: asks for a custom drawing colour.
void ChooseCustomColor(ToolboxButton& entry);
