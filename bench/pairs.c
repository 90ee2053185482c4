/* pairs N A B ARGUMENT: runs programs A and B alternately N times each, in the current folder,
   with ARGUMENT and standard output to /dev/null, and prints each one's median wall time per run
   in microseconds. Spawning is part of what is measured: it is part of what a run costs. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

static double run_once(const char *program, char *argument, posix_spawn_file_actions_t *actions) {
    char *argv[] = {(char *)program, argument, NULL};
    struct timespec start, end;
    pid_t pid;
    int status;
    clock_gettime(CLOCK_MONOTONIC, &start);
    if (posix_spawn(&pid, program, actions, NULL, argv, environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(stderr, "%s failed\n", program);
        exit(1);
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    return (double)(end.tv_sec - start.tv_sec) * 1e6 + (double)(end.tv_nsec - start.tv_nsec) / 1e3;
}

static int by_value(const void *a, const void *b) {
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

static double median(double *values, int count) {
    qsort(values, (size_t)count, sizeof *values, by_value);
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

int main(int argc, char **argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: pairs N A B ARGUMENT\n");
        return 1;
    }
    int count = atoi(argv[1]);
    double *a = calloc((size_t)count, sizeof *a), *b = calloc((size_t)count, sizeof *b);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (int i = 0; i < count; ++i) {
        a[i] = run_once(argv[2], argv[4], &actions);
        b[i] = run_once(argv[3], argv[4], &actions);
    }
    printf("%.1f %.1f\n", median(a, count), median(b, count));
    return 0;
}
