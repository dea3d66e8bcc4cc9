#pragma once

#include <QUrl>

#include <functional>

namespace korvanta {

// Opens a web or mail address outside the program; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl&)>;

// The desktop's browser and mail program.
UrlOpener DesktopUrlOpener();

}  // namespace korvanta
