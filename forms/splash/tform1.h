#pragma once

#include <QWidget>

// The splash window shown while the windows are built: one picture, no frame.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
