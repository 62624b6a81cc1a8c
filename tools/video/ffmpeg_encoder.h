// ffmpeg as agvsim-video's encoder: raw RGB frames, bottom row first, into a
// pipe; a video or a picture out, chosen by the file's kind.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

enum OutputKind { OutputNone, OutputMp4, OutputWebm, OutputGif, OutputPng };

struct EncoderOutput {
    const char* path;
    int kind;             // OutputKind
    int width, height;    // px
    int framesPerSecond;
};

// The path of an executable ffmpeg on PATH, or empty after a message naming the remedy.
std::string findFfmpeg(const char* program);
// ffmpeg reading raw frames from the returned pipe (-1 on failure); its pid in *pid.
int startEncoder(const std::string& ffmpeg, const EncoderOutput& output, pid_t* pid);
// False once ffmpeg has stopped reading.
bool writeFrame(int fd, const unsigned char* pixels, size_t size);
// Closes the pipe and waits: true when ffmpeg ended well.
bool finishEncoder(int fd, pid_t pid);
