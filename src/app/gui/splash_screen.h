#pragma once

#include <QWidget>

class QProgressBar;

namespace quorvex {

// The splash window: a picture and a progress bar while the program starts.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    SplashScreen();
    void advance(int amount);
    int progress() const;

private:
    QProgressBar* bar_;
};

} // namespace quorvex
