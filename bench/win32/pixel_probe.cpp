// Starts a program and times it until a screen pixel takes a colour: how the
// Windows figures see the call point appear under Wine, where windows carry
// no marks of their process. Polls the pixel every millisecond, far finer
// than a screenshot tool could. Leaves the program running.
// Usage: pixel_probe X Y RRGGBB PROGRAM [ARGS...]
// Prints: "<milliseconds>"; exit 1 on time-out (60 s).
#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

// The pixel as 0xRRGGBB, or -1 when the server gives no image.
long pixelAt(xcb_connection_t* c, xcb_window_t root, int x, int y) {
    auto* reply = xcb_get_image_reply(c,
                                      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root,
                                                    std::int16_t(x), std::int16_t(y), 1, 1, ~0u),
                                      nullptr);
    if (!reply) return -1;
    long value = -1;
    if (xcb_get_image_data_length(reply) >= 3) {
        const std::uint8_t* bgr = xcb_get_image_data(reply);  // 24-bit screens store B, G, R
        value = (long(bgr[2]) << 16) | (long(bgr[1]) << 8) | bgr[0];
    }
    std::free(reply);
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: pixel_probe X Y RRGGBB PROGRAM [ARGS...]\n");
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const long wanted = std::strtol(argv[3], nullptr, 16);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    if (pixelAt(c, root, x, y) == wanted) {
        std::fprintf(stderr, "pixel_probe: the pixel has that colour before the start\n");
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    if (fork() == 0) {
        // Outlives the probe, like a program started from a shell, and holds
        // none of its output open: a caller reading it would wait for the end.
        setsid();
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    const auto deadline = start + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        if (pixelAt(c, root, x, y) == wanted) {
            const std::chrono::duration<double, std::milli> elapsed =
                std::chrono::steady_clock::now() - start;
            std::printf("%.0f\n", elapsed.count());
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 1;
}
