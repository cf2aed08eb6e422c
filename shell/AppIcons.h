#pragma once

#include <QIcon>

// The programs' own icons, built from the PNGs under dist/icons.
namespace AppIcons {
QIcon varnock();
QIcon kestrin();
} // namespace AppIcons
