#pragma once

#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace runnertest
{
/** The runner's program started as a user starts it, through a shell that first runs setUp (limits,
    signal dispositions); its standard output and error are read line by line as they come. */
class RunnerProcess
{
public:
    RunnerProcess (const std::string& arguments, const std::string& setUp = {})
    {
        const auto command =
            "exec sh -c '" + setUp + " echo $$; exec \"$0\" \"$@\"' " + VQ_SESSION_RUNNER + " " + arguments + " 2>&1";
        output = popen (command.c_str(), "r");

        if (output != nullptr)
            pid = std::stoi (readLine());
    }

    ~RunnerProcess() { finish(); }

    /** The next line, or empty at the end. */
    std::string readLine()
    {
        std::string line;

        for (int c; output != nullptr && (c = std::fgetc (output)) != EOF && c != '\n';)
            line += char (c);

        return line;
    }

    /** Reads on until a line holds the text; that line, or empty when the output ended first. */
    std::string readUntil (const std::string& text)
    {
        for (;;)
        {
            const auto line = readLine();

            if (line.find (text) != std::string::npos || (line.empty() && std::feof (output)))
                return line;
        }
    }

    /** The rest of the output, then the wait status of the runner. */
    int finish()
    {
        if (output == nullptr)
            return status;

        for (auto line = readLine(); ! line.empty() || ! std::feof (output); line = readLine())
            rest += line + "\n";

        status = pclose (output);
        output = nullptr;
        return status;
    }

    /** The process that plays the session: the runner's child when it has one, else the runner. */
    pid_t player() const
    {
        const auto file = "/proc/" + std::to_string (pid) + "/task/" + std::to_string (pid) + "/children";
        std::ifstream children (file);
        pid_t child = 0;
        return children >> child ? child : pid;
    }

    pid_t pid = 0;
    std::string rest; // what finish read
    int status = -1;

private:
    FILE* output = nullptr;
};

inline bool exitedWith (int status, int code)
{
    return WIFEXITED (status) && WEXITSTATUS (status) == code;
}
} // namespace runnertest
