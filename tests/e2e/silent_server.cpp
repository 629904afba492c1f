// A print server that falls silent, for tests on a loopback port. It prints
// the port on the first line and "connection N" for each connection it takes,
// and ends when the process that started it ends (or is killed).
//
//   silent_server               takes connections, never answers
//   silent_server hold          holds each request: answers a status line and
//                               then one header line a second, so that the
//                               client hears from it but is never done
//   silent_server forward PORT  passes requests on to the print server on
//                               127.0.0.1:PORT and its answers back
//
// On SIGUSR1 it answers nothing more: the test decides when the server falls
// silent.
// (used by tests/e2e/startup_print.sh)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum Phase { kForward, kHold, kSilent };
volatile sig_atomic_t phase = kSilent;

int Socket(int port, bool listening) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  auto* any = reinterpret_cast<sockaddr*>(&address);
  socklen_t length = sizeof address;
  if (fd < 0 || (listening ? bind(fd, any, length) != 0 || listen(fd, 64) != 0 || getsockname(fd, any, &length) != 0
                           : connect(fd, any, length) != 0)) {
    std::perror("silent_server");
    std::exit(1);
  }
  if (listening) std::printf("%d\n", ntohs(address.sin_port));
  return fd;
}

void Send(int fd, const std::string& text) { static_cast<void>(send(fd, text.data(), text.size(), MSG_NOSIGNAL)); }

}  // namespace

int main(int argc, char** argv) {
  const pid_t parent = getppid();
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) return 1;  // the parent ended before the line above
  const std::string mode = argc > 1 ? argv[1] : "";
  const int upstream = mode == "forward" && argc > 2 ? std::atoi(argv[2]) : 0;
  phase = upstream > 0 ? kForward : mode == "hold" ? kHold : kSilent;
  signal(SIGUSR1, [](int) { phase = kSilent; });
  const int listener = Socket(0, true);
  std::fflush(stdout);

  struct Link {
    int client, server;  // the server connection only while forwarding
    bool held;           // a request came while holding: it is answered a line a second
  };
  std::vector<Link> links;
  char buffer[65536];
  for (;;) {
    std::vector<pollfd> watched{{listener, POLLIN, 0}};
    for (const Link& link : links) {
      watched.push_back({phase == kSilent ? -1 : link.client, POLLIN, 0});
      watched.push_back({phase == kForward ? link.server : -1, POLLIN, 0});
    }
    const bool quiet = poll(watched.data(), watched.size(), 1000) == 0;
    for (std::size_t i = 0; i < links.size(); ++i) {
      Link& link = links[i];
      if (quiet && phase == kHold && link.held) Send(link.client, "X-Held: 1\r\n");
      const bool fromClient = watched[1 + 2 * i].revents != 0;
      if (!fromClient && watched[2 + 2 * i].revents == 0) continue;
      const ssize_t got = recv(fromClient ? link.client : link.server, buffer, sizeof buffer, 0);
      if (got == 0) {  // one side hung up: so does the other
        close(link.client);
        if (link.server >= 0) close(link.server);
        link = {-1, -1, false};
      } else if (got > 0 && !fromClient) {
        Send(link.client, std::string(buffer, static_cast<std::size_t>(got)));
      } else if (got > 0 && phase == kForward) {
        Send(link.server, std::string(buffer, static_cast<std::size_t>(got)));
      } else if (got > 0 && phase == kHold && !link.held) {
        Send(link.client, "HTTP/1.1 200 OK\r\n");
        link.held = true;
      }
    }
    if (watched[0].revents & POLLIN) {
      const int client = accept(listener, nullptr, nullptr);
      if (client >= 0) links.push_back({client, phase == kForward ? Socket(upstream, false) : -1, false});
      std::printf("connection %zu\n", links.size());
      std::fflush(stdout);
    }
  }
}
