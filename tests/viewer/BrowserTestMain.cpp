// A GoogleTest main for the tests with the real browser engine, which wants
// shared OpenGL contexts before the application object exists.
#include "platform/Look.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  platform::installLook();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
