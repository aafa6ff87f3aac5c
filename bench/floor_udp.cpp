// The floors of the benchmarks: plain sockets, no Qt, a process of its own.
//   floor_udp recv [BUFFER]             binds 127.0.0.1 on a free port with a receive buffer of
//                                       BUFFER bytes asked (default 8 MiB, as the configurator
//                                       asks), prints "port P", then counts datagrams, 64 a system
//                                       call, until 300 ms pass without one after the first;
//                                       prints "received N cpu_us C"
//   floor_udp send HOST PORT COUNT FILE RATE
//                                       sends COUNT copies of FILE's bytes (the 5th to 8th byte
//                                       numbered by the copy) at RATE per second (0: at once);
//                                       prints "sent N"
//   floor_udp ping HOST PORT COUNT FILE [REST_MS] sends one request at a time, waiting for its
//                                       answer (and REST_MS before each request);
//                                       prints "median_us M total_ms T answered N"
//   floor_udp echo                      answers every datagram with itself; prints "port P"
//   floor_udp sweep NET FIRST LAST PORT FILE EXPECTED
//                                       sends FILE's bytes once to PORT of each address NET.FIRST
//                                       to NET.LAST (NET: three octets, or "127.1.0-39" for forty
//                                       networks), taking answers as they come, then waits for
//                                       EXPECTED answers (3 s at most); prints "total_ms T
//                                       answered N cpu_ms C"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
int boundSocket(int receiveBuffer)
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        std::perror("bind");
        std::exit(1);
    }
    socklen_t len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    std::printf("port %d\n", ntohs(a.sin_port));
    std::fflush(stdout);
    return s;
}

sockaddr_in address(const char* host, const char* port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(std::atoi(port)));
    inet_pton(AF_INET, host, &a.sin_addr);
    return a;
}

std::vector<char> contents(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

long cpuMicroseconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000000L + u.ru_utime.tv_usec + u.ru_stime.tv_usec;
}

int receive(int receiveBuffer)
{
    const int s = boundSocket(receiveBuffer);
    constexpr int Batch = 64;
    std::vector<char> buffer(Batch * 8193);
    std::vector<iovec> vectors(Batch);
    std::vector<mmsghdr> headers(Batch);
    for (int i = 0; i < Batch; ++i) {
        vectors[i] = {buffer.data() + i * 8193, 8193};
        headers[i] = {};
        headers[i].msg_hdr.msg_iov = &vectors[i];
        headers[i].msg_hdr.msg_iovlen = 1;
    }
    long count = 0;
    long cpuStart = 0;
    for (;;) {
        pollfd p{s, POLLIN, 0};
        if (poll(&p, 1, count ? 300 : 30000) <= 0)
            break;
        const int n = recvmmsg(s, headers.data(), Batch, MSG_DONTWAIT, nullptr);
        if (n <= 0)
            continue;
        if (count == 0)
            cpuStart = cpuMicroseconds();
        count += n;
    }
    std::printf("received %ld cpu_us %ld\n", count, cpuMicroseconds() - cpuStart);
    return 0;
}

int send(char** argv)
{
    const sockaddr_in to = address(argv[2], argv[3]);
    const long count = std::atol(argv[4]);
    std::vector<char> datagram = contents(argv[5]);
    const double rate = std::atof(argv[6]);
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    long sent = 0;
    for (long i = 0; i < count; ++i) {
        if (rate > 0) // paced: never ahead of the schedule
            while (clock::now() - start < std::chrono::duration<double>(double(i) / rate))
                ;
        if (datagram.size() >= 8)
            for (int b = 0; b < 4; ++b)
                datagram[4 + b] = static_cast<char>(i >> (8 * (3 - b)));
        if (sendto(s, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                   sizeof to) >= 0)
            ++sent;
    }
    std::printf("sent %ld\n", sent);
    return 0;
}

int ping(char** argv)
{
    const sockaddr_in to = address(argv[2], argv[3]);
    const long count = std::atol(argv[4]);
    const std::vector<char> request = contents(argv[5]);
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    std::vector<char> buffer(65536);
    std::vector<double> times;
    const int restMs = argv[6] ? std::atoi(argv[6]) : 0; // argv ends with a null pointer
    for (long i = 0; i < count; ++i) {
        if (restMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(restMs));
        const auto start = std::chrono::steady_clock::now();
        sendto(s, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        pollfd p{s, POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0)
            continue;
        recv(s, buffer.data(), buffer.size(), 0);
        times.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    double total = 0;
    for (double t : times)
        total += t;
    std::sort(times.begin(), times.end());
    std::printf("median_us %.1f total_ms %.2f answered %zu\n", times.empty() ? -1.0 : times[times.size() / 2],
                total / 1000.0, times.size());
    return 0;
}

int echo()
{
    const int s = boundSocket(1 << 20);
    std::vector<char> buffer(65536);
    for (;;) {
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n =
            recvfrom(s, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
        if (n >= 0)
            sendto(s, buffer.data(), size_t(n), 0, reinterpret_cast<sockaddr*>(&from), len);
    }
}
// One request to every address of a /24 and their answers: the least a survey can cost.
// NET is three octets ("127.0.5") or two and a range of the third ("127.1.0-39").
std::vector<std::string> networks(const std::string& net)
{
    const size_t dot = net.rfind('.');
    const std::string third = net.substr(dot + 1);
    const size_t dash = third.find('-');
    const int from = std::atoi(third.c_str());
    const int to = dash == std::string::npos ? from : std::atoi(third.c_str() + dash + 1);
    std::vector<std::string> out;
    for (int k = from; k <= to; ++k)
        out.push_back(net.substr(0, dot) + "." + std::to_string(k));
    return out;
}

int sweep(char** argv)
{
    const std::vector<char> request = contents(argv[6]);
    const long expected = std::atol(argv[7]);
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    int wanted = 8 << 20;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, &wanted, sizeof wanted);
    std::vector<char> buffer(65536);
    long answered = 0;
    // Answers are taken while requests still go out, so that neither side's buffer is the limit.
    const auto takeWaiting = [&] {
        while (recv(s, buffer.data(), buffer.size(), MSG_DONTWAIT) >= 0)
            ++answered;
    };
    const long cpuBefore = cpuMicroseconds();
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& net : networks(argv[2]))
        for (int i = std::atoi(argv[3]); i <= std::atoi(argv[4]); ++i) {
            const std::string host = net + "." + std::to_string(i);
            const sockaddr_in to = address(host.c_str(), argv[5]);
            sendto(s, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
            if (i % 64 == 0)
                takeWaiting();
        }
    while (answered < expected) {
        pollfd p{s, POLLIN, 0};
        if (poll(&p, 1, 3000) <= 0)
            break;
        takeWaiting();
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("total_ms %.2f answered %ld cpu_ms %.2f\n", ms, answered,
                double(cpuMicroseconds() - cpuBefore) / 1000.0);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "recv")
        return receive(argc > 2 ? std::atoi(argv[2]) : 8 << 20);
    if (mode == "send" && argc == 7)
        return send(argv);
    if (mode == "ping" && (argc == 6 || argc == 7))
        return ping(argv);
    if (mode == "echo")
        return echo();
    if (mode == "sweep" && argc == 8)
        return sweep(argv);
    std::fprintf(
        stderr, "usage: floor_udp recv [BUFFER] | send HOST PORT COUNT FILE RATE | ping HOST PORT COUNT FILE "
                "[REST_MS] | echo | sweep NET FIRST LAST PORT FILE EXPECTED\n");
    return 2;
}
