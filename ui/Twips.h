#pragma once
// Twips <-> pixels through the screen's real DPI (1440 twips per inch).

namespace ui {

int ScreenDpiX();
int ScreenDpiY();
int TwipsToPixelsX(long twips);
int TwipsToPixelsY(long twips);
long PixelsToTwipsX(int pixels);
long PixelsToTwipsY(int pixels);

}  // namespace ui
