#!/usr/bin/perl
print "Content-Type: text/html\n\n";
