/* MinGW has no POSIX regex. Graphviz matches with it only when it reads the size of an SVG
 * picture put into a graph and when it scans plugin folders; neither happens here, so the
 * match simply finds nothing. */
#ifndef SCRIVLET_REGEX_SHIM_H
#define SCRIVLET_REGEX_SHIM_H
#include <stddef.h>
typedef struct { size_t re_nsub; } regex_t;
typedef long regoff_t;
typedef struct { regoff_t rm_so, rm_eo; } regmatch_t;
#define REG_EXTENDED 1
#define REG_ICASE 2
#define REG_NOSUB 4
#define REG_NEWLINE 8
#define REG_NOMATCH 1
int regcomp(regex_t *re, const char *pattern, int flags);
int regexec(const regex_t *re, const char *text, size_t count, regmatch_t *matches, int flags);
void regfree(regex_t *re);
#endif
