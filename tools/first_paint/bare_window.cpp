// wexmora-bare-window: the reference of the first-paint measurement, the
// least a Qt Widgets program does to show a window: a QLabel of the given
// client size.
//
//   wexmora-bare-window WIDTH HEIGHT
#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int width = argc == 3 ? std::atoi(argv[1]) : 0;
  const int height = argc == 3 ? std::atoi(argv[2]) : 0;
  if (width <= 0 || height <= 0) {
    std::fprintf(stderr, "usage: wexmora-bare-window WIDTH HEIGHT\n");
    return 2;
  }
  QLabel label(QStringLiteral("Wexmora"));
  label.setFixedSize(width, height);
  label.show();
  return app.exec();
}
