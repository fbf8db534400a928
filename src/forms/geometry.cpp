#include "forms/geometry.h"

#include "platform/runtime.h"

namespace kv::forms {

void Geometry::set_and_tell(float& field, float v) {
    if (field == v) return;
    field = v;
    geometry_changed();
}

void Geometry::set_left(float v) {
    placed();
    set_and_tell(left_, v);
}

void Geometry::set_top(float v) {
    placed();
    set_and_tell(top_, v);
}

void Geometry::set_width(float v) {
    if (v < 0) throw platform::Failure("Invalid property value: Width of " + geometry_name());
    set_and_tell(width_, v);
}

void Geometry::set_height(float v) {
    if (v < 0) throw platform::Failure("Invalid property value: Height of " + geometry_name());
    set_and_tell(height_, v);
}

}  // namespace kv::forms
