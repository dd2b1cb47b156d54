#pragma once
// A review sheet: every badge in its 128x128 cell on the window's background
// colour, with its index, eight to a row.
#include <QImage>
#include <vector>

namespace wexmora::artwork {

QImage contactSheet(const std::vector<QImage>& badges);

}  // namespace wexmora::artwork
