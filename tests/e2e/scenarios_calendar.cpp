// The user's calendar, worked from outside: a meeting under way holds a due break, whether the
// calendar is a file or an address the driver serves on the loopback, and "Check" in the Options
// window says what a calendar holds or what went wrong. The rules themselves (moving a break
// before a meeting, a calendar that stops answering) are tested on the simulated desktop.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "e2e.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

using namespace e2e;

namespace {

// Controls of the Options window.
namespace cal {
constexpr int Box = 1050, Check = 1250, Said = 1551, Ok = 1201;
}  // namespace cal

constexpr char kInAMeeting[] = "In a meeting until ";

// The time `offsetSeconds` from now in UTC, written by `format` with year, month, day, hour,
// minute and second.
std::string utcFromNow(long long offsetSeconds, const char* format) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart += static_cast<ULONGLONG>(offsetSeconds * 10000000LL);
    const FILETIME moved{t.LowPart, t.HighPart};
    SYSTEMTIME s{};
    FileTimeToSystemTime(&moved, &s);
    char text[32];
    std::snprintf(text, sizeof text, format, s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond);
    return text;
}

// A calendar with one meeting from five minutes ago to `minutes` from now.
std::string meetingNow(int minutes) {
    constexpr char kIcs[] = "%04u%02u%02uT%02u%02u%02uZ";
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//e2e//EN\r\nBEGIN:VEVENT\r\nUID:now\r\nSUMMARY:Planning\r\n"
           "DTSTART:" + utcFromNow(-300, kIcs) + "\r\nDTEND:" + utcFromNow(minutes * 60LL, kIcs) +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// A file of the driver's temporary folder, in the prefix; its Windows path.
std::string writeTempFile(const std::string& name, const std::string& content) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::string path = narrow(folder) + name;
    std::ofstream(path, std::ios::binary) << content;  // the prefix's temporary folder is plain ASCII
    return path;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A web server on 127.0.0.1 that answers "/calendar.ics" with `body` and anything else with 404,
// one request a connection, until it goes.
class LoopbackServer {
public:
    explicit LoopbackServer(std::string body) : body_(std::move(body)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        listen(listener_, 4);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackServer() {
        stopping_ = true;
        closesocket(listener_);  // ends the accept under way
        thread_.join();
        WSACleanup();
    }
    std::string address(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int requests() const { return requests_; }

private:
    void serve() {
        while (!stopping_) {
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            std::string request;
            char chunk[1024];
            int got;
            while (request.find("\r\n\r\n") == std::string::npos && (got = recv(client, chunk, sizeof chunk, 0)) > 0)
                request.append(chunk, static_cast<std::size_t>(got));
            ++requests_;
            const bool found = request.rfind("GET /calendar.ics ", 0) == 0;
            const std::string body = found ? body_ : "not here";
            const std::string answer = std::string(found ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                                       "\r\nContent-Type: text/calendar\r\nContent-Length: " +
                                       std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            send(client, answer.data(), static_cast<int>(answer.size()), 0);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }

    std::string body_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

}  // namespace

// The busy times the last run kept (a meeting until 30 minutes from now) hold the break due at
// the first tick, before the calendar file answers. The file's meeting ends later, and the
// address's later still: each, once read, is kept in the busy file and moves Frame1's end.
E2E_SCENARIO(calendar_file_or_address_with_a_meeting_now_holds_a_due_break) {
    LoopbackServer server(meetingNow(90));
    constexpr char kBusy[] = "%04u-%02u-%02u %02u:%02u";
    std::string busyFile = narrow(statisticsPath());
    busyFile.replace(busyFile.rfind("statistics.csv"), 14, "busy.csv");
    const std::string kept = "start_utc,end_utc\r\n" + utcFromNow(-300, kBusy) + "," + utcFromNow(1800, kBusy) + "\r\n";
    CreateDirectoryW(widen(busyFile.substr(0, busyFile.rfind("\\Periodic"))).c_str(), nullptr);
    CreateDirectoryW(widen(busyFile.substr(0, busyFile.rfind('\\'))).c_str(), nullptr);
    std::ofstream(busyFile, std::ios::binary) << kept;
    settings::storeReminding({.minutes = "0", .window = true});
    settings::set("Calendar", writeTempFile("meeting-now.ics", meetingNow(60)));
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND frame1 = child(main, id::Frame1);
    E2E_REQUIRE(waitUntil([&] { return contains(text(frame1), kInAMeeting); }, 10s));
    E2E_CHECK(!findWindow(breakWindowOf(app)));
    E2E_CHECK(waitUntil([&] { return readWholeFile(busyFile) != kept; }, 10s));  // the file's meeting
    const std::string untilTheFilesEnd = text(frame1);
    note(untilTheFilesEnd);

    HWND window = openOptions(app, main);
    E2E_REQUIRE(window != nullptr);
    setText(child(window, cal::Box), server.address("/calendar.ics"));
    postClick(child(window, cal::Ok));
    E2E_CHECK(waitForWindowGone(window));
    E2E_CHECK(waitUntil([&] {
        const std::string now = text(frame1);
        return contains(now, kInAMeeting) && now != untilTheFilesEnd;
    }, 20s));
    note(text(frame1));
    E2E_CHECK(server.requests() >= 1);
    E2E_CHECK(!findWindow(breakWindowOf(app)));
}

E2E_SCENARIO(calendar_check_reports_a_404_and_a_file_that_is_no_calendar) {
    LoopbackServer server(meetingNow(60));
    const std::string page = writeTempFile("sign-in.html", "<html><body>Sign in</body></html>");
    settings::storeReminding({.minutes = "45", .window = true});
    App app = App::start(ctx);
    HWND window = openOptions(app, app.mainWindow());
    E2E_REQUIRE(window != nullptr);
    const struct {
        std::string location, said;
    } cases[] = {
        {server.address("/gone.ics"), "The address answered 404"},
        {page, "Not a calendar file"},
        {server.address("/calendar.ics"), "1 meeting in the next 7 days"},
    };
    for (const auto& c : cases) {
        setText(child(window, cal::Box), c.location);
        postClick(child(window, cal::Check));
        E2E_CHECK(waitUntil([&] { return text(child(window, cal::Said)) == c.said; }, 20s));
        note(c.location + ": " + text(child(window, cal::Said)));
    }
    postClick(child(window, cal::Ok));
    E2E_CHECK(waitForWindowGone(window));
    E2E_CHECK(waitUntil([&] { return settings::get("Calendar") == server.address("/calendar.ics"); }, 3s));
}
