#pragma once

#include <QApplication>

#include <memory>

namespace slopekit::cli {

// The application that text and charts need, on the offscreen platform unless another is
// asked for, with Qt's notes kept off the terminal. Null when one exists already.
std::unique_ptr<QApplication> offscreenApplication();

}  // namespace slopekit::cli
