// The least a Qt Widgets program does before it answers: one window with a
// label. answer_bench's start-up figures for it are the toolkit's floor on
// the machine at hand.

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Tonlira"));
    label.resize(400, 300);
    label.show();
    return QApplication::exec();
}
