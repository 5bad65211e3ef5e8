// ScreenHandOver: what one screen leaves behind in the input when the next one starts.
#pragma once

namespace vsm {

// Drops every key hit, typed character and button press still pending, and the pointer's pressed
// flags, so that a key or click made on the screen that ends never acts on the screen that starts.
// Called wherever one screen hands over to another. Cannot fail.
void HandOverInput();

} // namespace vsm
