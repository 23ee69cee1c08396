#pragma once
// A surface that keeps what was drawn, in order, so that tests (and anything else that wants to know
// what a page shows where) can read it back without a device.

#include <string>
#include <vector>

#include "components/textcontrol/paint/Surface.h"

namespace tx {

struct PaintOp {
    enum class Kind { Fill, Invert, Text, Image };
    Kind kind = Kind::Fill;
    DeviceRect rect;            // Fill, Invert, Image
    Color color = kBlack;       // Fill, Text
    // Text: the run as asked for, with its font.
    std::wstring text;
    CharFormat font;
    int height = 0;
    int x = 0, baseline = 0;
    std::vector<int> edges;     // empty when the font's own advances were asked for
    int objectId = 0;           // Image
};

class RecordingSurface : public Surface {
public:
    void Fill(const DeviceRect& r, Color color) override {
        PaintOp op;
        op.kind = PaintOp::Kind::Fill;
        op.rect = r;
        op.color = color;
        ops.push_back(std::move(op));
    }
    void Invert(const DeviceRect& r) override {
        PaintOp op;
        op.kind = PaintOp::Kind::Invert;
        op.rect = r;
        ops.push_back(std::move(op));
    }
    void Text(const TextRun& run) override {
        PaintOp op;
        op.kind = PaintOp::Kind::Text;
        op.text.assign(run.text);
        op.font = *run.format;
        op.height = run.height;
        op.color = run.color;
        op.x = run.x;
        op.baseline = run.baseline;
        if (run.edges) op.edges.assign(run.edges, run.edges + run.text.size() + 1);
        ops.push_back(std::move(op));
    }
    void Image(const Object& object, const DeviceRect& r) override {
        PaintOp op;
        op.kind = PaintOp::Kind::Image;
        op.rect = r;
        op.objectId = object.id;
        ops.push_back(std::move(op));
    }

    std::vector<const PaintOp*> Of(PaintOp::Kind kind) const {
        std::vector<const PaintOp*> out;
        for (const PaintOp& op : ops)
            if (op.kind == kind) out.push_back(&op);
        return out;
    }

    std::vector<PaintOp> ops;
};

}  // namespace tx
