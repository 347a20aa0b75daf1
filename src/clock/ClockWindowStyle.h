#pragma once

class Form1;

// The look of the clock window: the window's own font, the font of its
// controls, and the large, light digits of the time row on the black panel.
namespace clockstyle {

void apply(Form1& form);
// The same look for the picture viewer's controls, made after the window.
void applyToViewer(Form1& form);

}  // namespace clockstyle
