#pragma once
// A place and size in twips, as windows and controls both have them: Left and Top relative to what
// holds it (the screen, the window or a container), Width and Height.
#include <string>

namespace kv::forms {

class Geometry {
  public:
    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void set_left(float v);
    void set_top(float v);
    // A negative size is an invalid property value and fails as in the forms runtime.
    void set_width(float v);
    void set_height(float v);

  protected:
    Geometry(float width, float height) : width_(width), height_(height) {}
    ~Geometry() = default;
    Geometry(const Geometry&) = default;
    Geometry& operator=(const Geometry&) = default;

    // Told of every change, to redraw.
    virtual void geometry_changed() = 0;
    // Told of every Left or Top set, changed or not.
    virtual void placed() {}
    // The name a failure gives.
    virtual std::string geometry_name() const = 0;
    // Sets the place without telling anyone.
    void set_place(float l, float t) {
        left_ = l;
        top_ = t;
    }

  private:
    void set_and_tell(float& field, float v);

    float left_ = 0, top_ = 0, width_, height_;
};

}  // namespace kv::forms
