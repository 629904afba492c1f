// A print server that never answers: listens on 127.0.0.1 on a free port,
// takes every connection and then neither reads nor writes. It prints the
// port on the first line and "connection N" for each connection it takes,
// and ends when the process that started it ends (or when it is killed).
//
//   silent_server        (used by tests/e2e/startup_print.sh)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

int main() {
  const pid_t parent = getppid();
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) return 1;  // the parent ended before the line above

  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  if (listener < 0) {
    std::perror("socket");
    return 1;
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;  // any free port
  socklen_t length = sizeof address;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 64) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    std::perror("silent_server");
    return 1;
  }
  std::printf("%d\n", ntohs(address.sin_port));
  std::fflush(stdout);

  std::vector<int> held;  // kept open, never read or written
  for (;;) {
    const int connection = accept(listener, nullptr, nullptr);
    if (connection < 0) {
      if (errno == EINTR) continue;
      std::perror("accept");
      return 1;
    }
    held.push_back(connection);
    std::printf("connection %zu\n", held.size());
    std::fflush(stdout);
  }
}
