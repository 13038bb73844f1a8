#include "platform/Look.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::installLook();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
