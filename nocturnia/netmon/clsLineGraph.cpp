#include "netmon/clsLineGraph.h"

#include "conventions/ColourRef.h"
#include "netmon/LineGraphPainter.h"
#include "netmon/PicBox.h"

void clsLineGraph::Draw() {
    PicBox* box = m_pictureBox;
    if (!box)
        return;
    box->setAutoRedraw(true);
    if (box->ScaleMode() != PicBox::kPixels)
        box->setScaleMode(PicBox::kPixels);
    if (box->BackColor() != m_picBackground)
        box->setBackColor(m_picBackground);
    box->Cls();

    QList<double> none;
    QList<double>& values = m_dataCollection ? *m_dataCollection : none;
    while (values.size() >= 101)
        values.removeFirst();

    const QPalette& palette = box->palette();
    LineGraphLook look;
    look.grid = conv::colourFromRef(m_gridColor, palette);
    look.gridVisible = m_gridVisible;
    look.border = conv::colourFromRef(m_borderColor, palette);
    look.borderSize = m_borderSize;
    look.foreground = conv::colourFromRef(m_picForeground, palette);
    look.background = conv::colourFromRef(m_picBackground, palette);
    look.borderStyle = box->BorderStyle();
    paintLineGraph(box->image(), look, values);
    box->update();
}
