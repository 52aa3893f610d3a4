#pragma once

#include <QWidget>
#include <memory>
#include <vector>

class clsLineGraph;

namespace gallery {

// The network line graph with and without its grid, a short series, a series cut to its last
// 100 values and values outside 0..100.
class LineGraphSheet : public QWidget {
public:
    explicit LineGraphSheet(QWidget* parent = nullptr);
    ~LineGraphSheet() override;

private:
    std::vector<std::unique_ptr<clsLineGraph>> m_graphs;
};

} // namespace gallery
