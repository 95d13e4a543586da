#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>

class QPushButton;
class QRadioButton;
class TDataEdit;

/// Colour depth offered for saved pictures.
enum class TPictureColors { BlackWhite, Colors16, Colors256, HighColor, TrueColor };

/// "Save Attributes": size of the picture in inches and its pixels per inch, and the colour
/// depth. On "OK" the picture is allocated; when that fails the dialog ends with
/// kNotEnoughMemory instead of Accepted.
class TdlgFormat : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNotEnoughMemory = 2;
    /// Pictures above this many pixels are refused as if memory had run out: a request for
    /// gigabytes would otherwise be granted on paper and then drive the machine into swap.
    static constexpr double kMaxPixels = 256.0 * 1024 * 1024;

    /// raster: a bitmap is allocated on "OK"; otherwise (vector pictures) only the size is
    /// checked.
    explicit TdlgFormat(bool raster = true, QWidget *parent = nullptr);

    /// round(pixels per inch x inches) on each side; empty before "OK".
    QSize pictureSize() const { return m_size; }
    /// The white bitmap made on "OK" (null for vector pictures); the caller takes it.
    QImage takeImage() { return std::exchange(m_image, QImage()); }
    TPictureColors colors() const;

    TDataEdit *HeightEdit;
    TDataEdit *WidthEdit;
    TDataEdit *PixelsEdit;
    QRadioButton *rbBlackWhite;
    QRadioButton *rb16Colors;
    QRadioButton *rb256Colors;
    QRadioButton *rbHighColor;
    QRadioButton *rbTrueColor;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

private:
    void OKBtnClick();

    bool m_raster;
    QSize m_size;
    QImage m_image;
};
