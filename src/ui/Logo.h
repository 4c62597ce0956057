// The program's logo, drawn rather than shipped as a picture.
#pragma once

#include <QPixmap>

namespace trelvane::ui {

QPixmap DrawLogo(int size);

}  // namespace trelvane::ui
