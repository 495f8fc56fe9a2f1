#include "platform/sdl/png_file.h"

#include <SDL.h>
#include <SDL_image.h>

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, std::string& why) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), width, height, 32, width * 4,
                                                      SDL_PIXELFORMAT_RGB888);
  if (!s) {
    why = SDL_GetError();
    return false;
  }
  const bool written = IMG_SavePNG(s, path.c_str()) == 0;
  if (!written) why = IMG_GetError();
  SDL_FreeSurface(s);
  return written;
}
