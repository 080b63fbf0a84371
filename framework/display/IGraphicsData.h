#pragma once
// A drawing command prepared by the backend, sent again with
// Graphics::drawGraphicsData / drawGraphicsDatum by its handle.

#include "runtime/Object.h"

namespace limn::display {

class IGraphicsData : public rt::Object {
public:
    RT_DECLARE_CLASS

    explicit IGraphicsData(rt::Dynamic handle) : limnHandle(std::move(handle)) {}

    rt::Dynamic limnHandle;
};

}  // namespace limn::display
