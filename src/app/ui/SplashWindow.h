#pragma once
// The picture shown while the program starts.
#include <QPixmap>
#include <QWidget>

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // With a host, the splash is a picture inside the host window, centred on
    // it and above its contents: for window systems on which a window of its
    // own could be neither centred nor kept on top.
    explicit SplashWindow(QWidget *host = nullptr);
    // Shows the splash and returns once it is painted on the screen: the
    // start-up that follows does not return to the event loop for a while.
    void showOnScreenNow();

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;

private:
    QPixmap m_picture;
};
