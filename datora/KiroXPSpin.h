#pragma once

#include "FlatTextControl.h"

#include <QImage>
#include <array>

class QLineEdit;

namespace datora {

class ImageBox;
class LibraryContext;

// The numeric spin field. The number lives in the text itself: reading Value reads the text's
// leading number, and the arrows write the stepped number back as text.
class KiroXPSpin : public FlatTextControl {
    Q_OBJECT
    Q_PROPERTY(double Value READ value WRITE setValue)
    Q_PROPERTY(double LargeChange READ largeChange WRITE setLargeChange)
    Q_PROPERTY(qint32 Min READ minimum WRITE setMinimum)
    Q_PROPERTY(qint32 Max READ maximum WRITE setMaximum)

public:
    static constexpr qint32 kDispValue = 0x68030000;
    static constexpr qint32 kDispLargeChange = 0x68030001;
    static constexpr qint32 kDispMin = 0x68030002;
    static constexpr qint32 kDispMax = 0x68030003;
    static constexpr qint32 kDispText = 0x68030004;
    static constexpr qint32 kDispLocked = 0x68030005;
    static constexpr qint32 kDisphWnd = 0x68030006;
    static constexpr qint32 kDispEnabled = 0x68030007;
    static constexpr qint32 kDispResetPic = 0x60030009;

    // The stored arrow images, by their index in the image store.
    enum Picture {
        DownHot = 0,
        DownNormal = 1,
        UpNormal = 2,
        DownPressed = 3,
        UpPressed = 4,
        UpHot = 5,
        UpDisabled = 6,
        DownDisabled = 7,
    };

    explicit KiroXPSpin(LibraryContext& context, QWidget* parent = nullptr);

    double value() const;
    void setValue(double value);
    double largeChange() const { return m_largeChange; }
    void setLargeChange(double step);
    qint32 minimum() const { return m_min; }
    void setMinimum(qint32 minimum);
    qint32 maximum() const { return m_max; }
    void setMaximum(qint32 maximum);
    void setEnabledFlag(bool enabled) override;
    // No size rule: any face is taken.
    void setControlFont(const QFont& font) override;
    void ResetPic() override;

    // The arrow clicks, as the arrow buttons run them.
    void stepUp();
    void stepDown();

    // Inner parts, for hosts that arrange focus and for inspection.
    QLineEdit* focusSink() const { return m_text1; }
    ImageBox* upArrow() const { return m_imgUp; }
    ImageBox* downArrow() const { return m_imgDown; }

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;
    bool dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showDisabledPictures() override;

private:
    void relayout();
    void showArrow(ImageBox* box, Picture picture);

    std::array<QImage, 8> m_pictures;
    QLineEdit* m_text1;
    ImageBox* m_imgUp;
    ImageBox* m_imgDown;
    qint32 m_max = 32000;
    qint32 m_min = -32000;
    qint16 m_decimal = 0;
    double m_largeChange = 1.0;
    double m_storedValue = 0.0;
};

} // namespace datora
