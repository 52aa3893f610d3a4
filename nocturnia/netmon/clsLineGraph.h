#pragma once

#include <QList>
#include <QPointer>
#include <memory>

class PicBox;

// Draws the last 100 values of a series of percentages as a line graph in a picture box, with
// an optional border and a 20 × 10 grid. Colours are 32-bit colour references.
class clsLineGraph {
public:
    quint32 GridColor() const { return m_gridColor; }
    void setGridColor(quint32 vData) { m_gridColor = vData; }
    bool GridVisible() const { return m_gridVisible; }
    void setGridVisible(bool vData) { m_gridVisible = vData; }
    quint32 BorderColor() const { return m_borderColor; }
    void setBorderColor(quint32 vData) { m_borderColor = vData; }
    qint16 BorderSize() const { return m_borderSize; }
    void setBorderSize(qint16 vData) { m_borderSize = vData; }
    quint32 PicForeground() const { return m_picForeground; }
    void setPicForeground(quint32 vData) { m_picForeground = vData; }
    quint32 PicBackground() const { return m_picBackground; }
    void setPicBackground(quint32 vData) { m_picBackground = vData; }
    // The series, oldest first; shared with the caller, whose collection Draw trims.
    std::shared_ptr<QList<double>> DataCollection() const { return m_dataCollection; }
    void setDataCollection(std::shared_ptr<QList<double>> vData) {
        m_dataCollection = std::move(vData);
    }
    PicBox* PictureBox() const { return m_pictureBox; }
    void setPictureBox(PicBox* vData) { m_pictureBox = vData; }

    // Draws into the picture box, after cutting the collection to its last 100 entries.
    // Without a picture box nothing happens.
    void Draw();

private:
    quint32 m_gridColor = 0;
    bool m_gridVisible = false;
    quint32 m_borderColor = 0;
    qint16 m_borderSize = 0;
    quint32 m_picForeground = 0;
    quint32 m_picBackground = 0;
    std::shared_ptr<QList<double>> m_dataCollection;
    QPointer<PicBox> m_pictureBox;
};
