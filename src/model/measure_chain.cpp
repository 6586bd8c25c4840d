#include "model/measure_chain.h"

#include "platform/node_id.h"

#include <new>

int CMeasureChain::AddNode(MEASURE* m) {
    if (m == nullptr)
        return 0;
    MoveLast();
    MEASURE* node = nullptr;
    try {
        node = new MEASURE;
        node->kind = m->kind;
        node->pointCount = m->pointCount;
        node->points = m->points;
        node->unit = m->unit;
        node->value = m->value;
        node->center = m->center;
        node->radius = m->radius;
        node->labelOffset = m->labelOffset;
    } catch (const std::bad_alloc&) {
        delete node;
        return 0;
    }
    node->selected = 0;
    node->id = MakeNodeId();
    return InsertNode(node);
}

MEASURE* CMeasureChain::FindById(std::int32_t id) {
    return MoveToId(id) != 0 ? current : nullptr;
}

int CMeasureChain::RemoveById(std::int32_t id) {
    if (MoveToId(id) == 0)
        return 0;
    return RemoveCurrent();
}
