#include "ui/DialogControl.h"

DialogControl::DialogControl(int id, const SDL_Rect& unitsRect) : id(id), unitsRect(unitsRect) {}
