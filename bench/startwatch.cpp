// Times a program from its start until its first window appears on the X
// display named by DISPLAY, then ends it.
//
//   ankerblick_startwatch PROGRAM [ARGS...]
//
// Prints the milliseconds from just before the program is started until the
// X server reports the first top-level window mapped (MapNotify on the root
// window for a window that is not override-redirect, so menus and tool tips do
// not count). Waits for map events instead of polling, so the figure carries
// no polling delay. Exit status 1 when no window appears within 30 seconds.

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ankerblick_startwatch PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "ankerblick_startwatch: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
        std::fprintf(stderr, "ankerblick_startwatch: cannot watch the root window\n");
        std::free(error);
        return 2;
    }

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }

    const Clock::time_point deadline = start + std::chrono::seconds(30);
    double elapsedMs = -1;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (elapsedMs < 0 && Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && elapsedMs < 0) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!map->override_redirect)
                    elapsedMs =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            }
            std::free(event);
        }
        if (elapsedMs >= 0 || xcb_connection_has_error(connection))
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "ankerblick_startwatch: %s ended without a window\n", argv[1]);
            xcb_disconnect(connection);
            return 1;
        }
        poll(&fd, 1, 100);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (elapsedMs < 0) {
        std::fprintf(stderr, "ankerblick_startwatch: no window within 30 s\n");
        return 1;
    }
    std::printf("%.1f\n", elapsedMs);
    return 0;
}
