#include "tools/video/ffmpeg_encoder.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

std::string findFfmpeg(const char* program) {
    const char* path = std::getenv("PATH");
    std::string directories = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= directories.size()) {
        size_t end = directories.find(':', start);
        if (end == std::string::npos) end = directories.size();
        std::string directory = end > start ? directories.substr(start, end - start) : ".";
        std::string candidate = directory + "/ffmpeg";
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    std::fprintf(stderr, "%s: ffmpeg is not installed; install it with: apt-get install ffmpeg\n",
                 program);
    return "";
}

struct ArgumentList {
    const char* items[40];
    int count;
};

template <size_t N>
static void append(ArgumentList* list, const char* const (&items)[N]) {
    for (const char* item : items) list->items[list->count++] = item;
}

// GL rows run bottom up, hence vflip before every output.
static void encoderArguments(const EncoderOutput& out, ArgumentList* list) {
    static char size[32];
    static char rate[16];
    // Read as a file name even when it starts with '-' or holds a ':'.
    static std::string file;
    std::snprintf(size, sizeof size, "%dx%d", out.width, out.height);
    std::snprintf(rate, sizeof rate, "%d", out.framesPerSecond);
    file = std::string("file:") + out.path;
    const char* const input[] = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostats", "-y",
                                 "-f", "rawvideo", "-pixel_format", "rgb24", "-video_size", size,
                                 "-framerate", rate, "-i", "-"};
    static const char* const mp4[] = {"-vf", "vflip", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                                      "-crf", "18", "-movflags", "+faststart"};
    static const char* const webm[] = {"-vf", "vflip", "-c:v", "libvpx-vp9", "-pix_fmt",
                                       "yuv420p", "-crf", "32", "-b:v", "0", "-row-mt", "1",
                                       "-deadline", "good", "-cpu-used", "4"};
    // A palette of its own for every frame: the few flat colours stay exact.
    static const char* const gif[] = {"-vf",
                                      "vflip,split[a][b];[a]palettegen=stats_mode=single[p];"
                                      "[b][p]paletteuse=new=1:dither=none"};
    static const char* const png[] = {"-vf", "vflip", "-frames:v", "1", "-update", "1"};
    list->count = 0;
    append(list, input);
    if (out.kind == OutputMp4) append(list, mp4);
    if (out.kind == OutputWebm) append(list, webm);
    if (out.kind == OutputGif) append(list, gif);
    if (out.kind == OutputPng) append(list, png);
    list->items[list->count++] = file.c_str();
    list->items[list->count] = nullptr;
}

int startEncoder(const std::string& ffmpeg, const EncoderOutput& output, pid_t* pid) {
    ArgumentList args;
    encoderArguments(output, &args);
    int ends[2];
    if (pipe(ends) != 0) return -1;
    fcntl(ends[1], F_SETFD, FD_CLOEXEC);
    *pid = fork();
    if (*pid == 0) {
        dup2(ends[0], STDIN_FILENO);
        close(ends[0]);
        execv(ffmpeg.c_str(), const_cast<char* const*>(args.items));
        _exit(127);
    }
    close(ends[0]);
    if (*pid < 0) {
        close(ends[1]);
        return -1;
    }
    return ends[1];
}

bool writeFrame(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool finishEncoder(int fd, pid_t pid) {
    close(fd);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
