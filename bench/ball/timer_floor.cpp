// The floor of any animation at 100 ticks a second on FLTK: a window and a 10 ms timer that does
// nothing. ball_cost.sh measures it beside Varnel's ball trail.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace {

constexpr double TickSeconds = 0.01;

void tick(void*) { Fl::repeat_timeout(TickSeconds, tick); }

}  // namespace

int main() {
    Fl_Window window(254, 184, "timer floor");
    window.show();
    Fl::add_timeout(TickSeconds, tick);
    return Fl::run();
}
